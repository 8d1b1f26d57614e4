#include "runtime/ui/menus.h"

#include <windows.h>

#include "runtime/sys/events.h"
#include "runtime/ui/window.h"

namespace runtime::ui {
namespace {

void empty(HMENU menu) {
    while (GetMenuItemCount(menu) > 0) {
        RemoveMenu(menu, 0, MF_BYPOSITION);
    }
}

} // namespace

MenuControl::MenuControl(Window& window, const ControlDefinition& definition, const Rect& area)
    : Control(window, definition, area) {
    autoWidth_ = autoHeight_ = false;
}

MenuControl::~MenuControl() {
    release();
}

bool MenuControl::isContainer() const {
    return kind() == runtime::kind::Menu;
}

HWND MenuControl::createHandle(HWND, DWORD, int win32Id, const RECT&) {
    win32Id_ = win32Id;
    if (kind() == runtime::kind::Menu) {
        popup_.reset(CreatePopupMenu());
    }
    return nullptr; // the window puts it into its menu once it knows it
}

void MenuControl::refreshHolder() {
    HMENU holder = nullptr;
    if (parent() == 0) {
        holder = window().menuBar();
    } else if (auto* menu = dynamic_cast<MenuControl*>(window().control(parent()))) {
        holder = menu->popup();
    }
    if (holder == nullptr) {
        return;
    }
    empty(holder);
    for (int32_t number : window().fields()) {
        auto* each = dynamic_cast<MenuControl*>(window().control(number));
        if (each == nullptr || each->parent() != parent() || each->hiddenFlag()) {
            continue;
        }
        std::string text = each->get(Prop::Text, 0).text();
        UINT flags = each->disabledFlag() ? MF_GRAYED : MF_ENABLED;
        if (each->popup() != nullptr) {
            AppendMenuA(holder, flags | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(each->popup()),
                        text.c_str());
        } else if (text == "-") {
            AppendMenuA(holder, MF_SEPARATOR, 0, nullptr);
        } else {
            flags |= each->checked_ ? MF_CHECKED : MF_UNCHECKED;
            AppendMenuA(holder, flags | MF_STRING, static_cast<UINT_PTR>(each->win32Id_), text.c_str());
        }
    }
    if (parent() == 0) {
        window().menuBarChanged();
    }
}

void MenuControl::applyState() {
    if (!window().closing()) {
        refreshHolder();
    }
}

void MenuControl::textChanged() {
    applyState();
}

void MenuControl::destroyHandle() {
    // Destroyed on its own, it is already out of the window's tables: its
    // holder is built again without it.
    if (!window().closing() && window().control(number()) == nullptr) {
        refreshHolder();
    }
    release();
}

void MenuControl::release() {
    if (popup_) {
        // Its submenus belong to their own controls; let go of them first.
        empty(popup_.get());
        popup_.reset();
    }
}

void MenuControl::press() {
    window().pressed(*this);
}

Value MenuControl::get(Prop prop, int32_t index) const {
    if (prop == Prop::Checked) {
        return checked_;
    }
    return Control::get(prop, index);
}

bool MenuControl::set(Prop prop, const Value& value, int32_t index) {
    if (prop == Prop::Checked) {
        checked_ = value.flag();
        applyState();
        return true;
    }
    return Control::set(prop, value, index);
}

} // namespace runtime::ui
