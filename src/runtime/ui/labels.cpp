#include "runtime/ui/labels.h"

#include <windows.h>

#include "runtime/sys/events.h"
#include "runtime/ui/variable_text.h"
#include "runtime/ui/window.h"

namespace runtime::ui {

HWND Label::createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) {
    style |= (flags_ & attr::Right) != 0 ? SS_RIGHT : (flags_ & attr::Centre) != 0 ? SS_CENTER : SS_LEFT;
    if (!showsPrefix()) {
        style |= SS_NOPREFIX;
    }
    DWORD exStyle = (flags_ & attr::Border) != 0 ? WS_EX_STATICEDGE : 0;
    return CreateWindowExA(exStyle, "STATIC", text_.c_str(), style, place.left, place.top,
                           place.right - place.left, place.bottom - place.top, canvas,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(win32Id)), GetModuleHandleA(nullptr),
                           nullptr);
}

SIZE Label::naturalSize() const {
    WindowDc screen(nullptr);
    Selected chosen(screen.get(), font());
    int edge = (flags_ & attr::Border) != 0 ? 2 * GetSystemMetrics(SM_CXEDGE) : 0;
    // A label of a given width wraps its words, and takes the height that needs.
    bool wraps = !autoWidth_ && area().width > edge;
    RECT box{0, 0, wraps ? area().width - edge : 0, 0};
    std::string shown = text_.empty() ? std::string(" ") : text_;
    DrawTextA(screen.get(), shown.c_str(), static_cast<int>(shown.size()), &box,
              DT_CALCRECT | DT_LEFT | DT_EXPANDTABS | (wraps ? DT_WORDBREAK : 0) |
                  (showsPrefix() ? 0 : DT_NOPREFIX));
    SIZE size{box.right + edge, box.bottom + edge};
    if (text_.empty()) {
        size.cx = edge;
    }
    return size;
}

Value Label::get(Prop prop, int32_t index) const {
    if (prop == Prop::AutoSize) {
        return autoWidth_ || autoHeight_;
    }
    return Control::get(prop, index);
}

bool Label::set(Prop prop, const Value& value, int32_t index) {
    if (prop == Prop::AutoSize) {
        autoWidth_ = autoHeight_ = value.flag();
        if (value.flag()) {
            resizeToNatural(true, true);
        }
        return true;
    }
    return Control::set(prop, value, index);
}

VariableString::VariableString(Window& window, const ControlDefinition& definition, const Rect& area)
    : Label(window, definition, area), picture_(definition.picture) {}

void VariableString::display() {
    if (!variable().bound()) {
        return;
    }
    std::string shown = showVariable(variable(), picture_);
    if (shown != text_) {
        Control::set(Prop::Text, Value(shown), 0);
    }
}

Value VariableString::get(Prop prop, int32_t index) const {
    if (prop == Prop::Picture) {
        return Value(picture_);
    }
    return Label::get(prop, index);
}

bool VariableString::set(Prop prop, const Value& value, int32_t index) {
    if (prop == Prop::Picture) {
        picture_ = value.text();
        display();
        return true;
    }
    return Label::set(prop, value, index);
}

} // namespace runtime::ui
