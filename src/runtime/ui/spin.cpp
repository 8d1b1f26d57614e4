#include "runtime/ui/spin.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "runtime/sys/events.h"
#include "runtime/text/strings.h"
#include "runtime/ui/value.h"
#include "runtime/ui/variable_text.h"
#include "runtime/ui/window.h"
#include "runtime/ui/window_text.h"

namespace runtime::ui {
Spin::Spin(Window& window, const ControlDefinition& definition, const Rect& area)
    : Control(window, definition, area), surface_([this](UINT message, WPARAM wParam, LPARAM lParam) {
          return this->message(message, wParam, lParam);
      }),
      picture_(definition.picture), low_(std::min(definition.low, definition.high)),
      high_(std::max(definition.low, definition.high)), step_(std::max(definition.step, 1)) {
    if (!definition.from.empty()) {
        items_ = rowsFromItems(definition.from);
    }
}

Spin::~Spin() {
    if (edit_ != nullptr) {
        RemoveWindowSubclass(edit_, editProc, 1);
    }
    destroyHandle();
}

HWND Spin::createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) {
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);
    HWND holder = surface_.create("RvSpin", WS_EX_CONTROLPARENT, style, place, canvas, win32Id);
    if (holder == nullptr) {
        return nullptr;
    }
    DWORD editStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | ES_AUTOHSCROLL;
    if ((flags_ & attr::Skip) == 0) {
        editStyle |= WS_TABSTOP;
    }
    editStyle |= (flags_ & attr::Right) != 0 || !hasItems() ? ES_RIGHT : ES_LEFT;
    if ((flags_ & attr::ReadOnly) != 0) {
        editStyle |= ES_READONLY;
    }
    edit_ = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", editStyle, 0, 0, 0, 0, holder, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    arrows_ = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, holder, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    if (edit_ == nullptr || arrows_ == nullptr) {
        return holder;
    }
    SendMessageA(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
    SetWindowSubclass(edit_, editProc, 1, reinterpret_cast<DWORD_PTR>(this));
    placeParts();
    if (!variable().bound()) {
        show(hasItems() ? itemText(0) : std::to_string(low_));
    }
    return holder;
}

void Spin::placeParts() {
    // Also called while the holder is being made, before handle() knows it.
    HWND holder = edit_ != nullptr ? GetParent(edit_) : nullptr;
    if (holder == nullptr || arrows_ == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(holder, &client);
    int arrows = std::min<int>(GetSystemMetrics(SM_CXVSCROLL), client.right / 2);
    MoveWindow(edit_, 0, 0, client.right - arrows, client.bottom, TRUE);
    MoveWindow(arrows_, client.right - arrows, 0, arrows, client.bottom, TRUE);
}

SIZE Spin::naturalSize() const {
    SIZE line = measureText(font(), "Xg", 2);
    return {window().dialogX(50), line.cy + 2 * GetSystemMetrics(SM_CYEDGE) + 4};
}

void Spin::fontChanged() {
    if (edit_ != nullptr) {
        SendMessageA(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font()), TRUE);
    }
}

std::optional<LRESULT> Spin::message(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        placeParts();
        return 0;
    case WM_SETFOCUS:
        if (edit_ != nullptr) {
            SetFocus(edit_);
        }
        return 0;
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == edit_) {
            if (HIWORD(wParam) == EN_SETFOCUS) {
                window().focused(*this);
            } else if (HIWORD(wParam) == EN_KILLFOCUS) {
                window().leftFocus(*this);
            }
        }
        return 0;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == arrows_ && header->code == UDN_DELTAPOS) {
            // Up is a positive step; the arrows keep no position of their own.
            stepBy(reinterpret_cast<NMUPDOWN*>(lParam)->iDelta < 0 ? 1 : -1);
            return TRUE;
        }
        return 0;
    }
    case WM_VSCROLL:
        return 0;
    default:
        return std::nullopt;
    }
}

LRESULT CALLBACK Spin::editProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR spin) {
    auto* self = reinterpret_cast<Spin*>(spin);
    if (message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN)) {
        self->stepBy(wParam == VK_UP ? 1 : -1);
        return 0;
    }
    if (message == WM_MOUSEWHEEL) {
        self->stepBy(GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA);
        return 0;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

std::string Spin::itemText(size_t item) const {
    const std::byte* bytes = items_ ? items_->row(item) : nullptr;
    if (bytes == nullptr) {
        return {};
    }
    return std::string(
        text::clip(std::string_view(reinterpret_cast<const char*>(bytes), items_->recordSize())));
}

int Spin::itemOf(const std::string& text) const {
    for (size_t item = 0; items_ && item < items_->count(); ++item) {
        if (text::equalNoCase(text::trim(itemText(item)), text::trim(text))) {
            return static_cast<int>(item);
        }
    }
    return -1;
}

void Spin::show(const std::string& text) {
    if (edit_ != nullptr) {
        SetWindowTextA(edit_, text.c_str());
        SendMessageA(edit_, EM_SETMODIFY, FALSE, 0);
    }
}

void Spin::stepBy(int steps) {
    if (steps == 0 || edit_ == nullptr || (flags_ & attr::ReadOnly) != 0) {
        return;
    }
    std::string now = windowText(edit_);
    if (hasItems()) {
        int item = std::max(itemOf(now), 0) + steps;
        show(itemText(static_cast<size_t>(std::clamp(item, 0, static_cast<int>(items_->count()) - 1))));
    } else {
        int64_t value = parseLeadingNumber(now) + static_cast<int64_t>(steps) * step_;
        show(std::to_string(std::clamp<int64_t>(value, low_, high_)));
    }
    SendMessageA(edit_, EM_SETMODIFY, TRUE, 0);
    if (commit(false) == Commit::Accepted) {
        window().queue(event::NewSelection, number());
    }
}

void Spin::display() {
    if (variable().bound()) {
        show(showVariable(variable(), picture_));
    }
}

std::string Spin::currentText() const {
    return edit_ == nullptr ? text_ : windowText(edit_);
}

Control::Commit Spin::commit(bool always) {
    if (edit_ == nullptr) {
        return Commit::Unchanged;
    }
    bool modified = SendMessageA(edit_, EM_GETMODIFY, 0, 0) != 0;
    if (!modified && !always) {
        return Commit::Unchanged;
    }
    std::string entered = windowText(edit_);
    if (hasItems() ? itemOf(entered) < 0
                   : !text::isBlank(entered) &&
                         (parseLeadingNumber(entered) < low_ || parseLeadingNumber(entered) > high_)) {
        return Commit::Rejected;
    }
    if (variable().bound()) {
        if (!storeVariable(variable(), picture_, entered)) {
            return Commit::Rejected;
        }
        display();
    } else {
        text_ = entered;
    }
    SendMessageA(edit_, EM_SETMODIFY, FALSE, 0);
    return Commit::Accepted;
}

void Spin::onFocus() {
    if (edit_ != nullptr) {
        SendMessageA(edit_, EM_SETSEL, 0, -1);
    }
}

Value Spin::get(Prop prop, int32_t index) const {
    switch (prop) {
    case Prop::RangeLow:
        return low_;
    case Prop::RangeHigh:
        return high_;
    case Prop::Step:
        return step_;
    case Prop::Picture:
        return Value(picture_);
    default:
        return Control::get(prop, index);
    }
}

bool Spin::set(Prop prop, const Value& value, int32_t index) {
    switch (prop) {
    case Prop::RangeLow:
        low_ = std::min(value.number32(), high_);
        return true;
    case Prop::RangeHigh:
        high_ = std::max(value.number32(), low_);
        return true;
    case Prop::Step:
        step_ = std::max(value.number32(), 1);
        return true;
    case Prop::Picture:
        picture_ = value.text();
        display();
        return true;
    case Prop::Text:
        text_ = value.text();
        show(text_);
        return true;
    default: {
        bool changed = Control::set(prop, value, index);
        if (changed && (prop == Prop::Width || prop == Prop::Height)) {
            placeParts();
        }
        return changed;
    }
    }
}

} // namespace runtime::ui
