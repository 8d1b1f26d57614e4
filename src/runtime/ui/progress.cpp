#include "runtime/ui/progress.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "runtime/sys/events.h"
#include "runtime/ui/variable_text.h"
#include "runtime/ui/window.h"

namespace runtime::ui {

ProgressBar::ProgressBar(Window& window, const ControlDefinition& definition, const Rect& area)
    : Control(window, definition, area), low_(definition.low),
      high_(std::max(definition.high, definition.low)), position_(definition.low) {}

HWND ProgressBar::createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) {
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
    HWND bar = CreateWindowExA(0, PROGRESS_CLASSA, "", style, place.left, place.top, place.right - place.left,
                               place.bottom - place.top, canvas,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(win32Id)),
                               GetModuleHandleA(nullptr), nullptr);
    if (bar != nullptr) {
        SendMessageA(bar, PBM_SETRANGE32, static_cast<WPARAM>(low_), static_cast<LPARAM>(high_));
        SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
    }
    return bar;
}

SIZE ProgressBar::naturalSize() const {
    return {window().dialogX(120), window().dialogY(10)};
}

void ProgressBar::showPosition() {
    position_ = std::clamp(position_, low_, high_);
    if (handle() != nullptr) {
        SendMessageA(handle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
    }
}

void ProgressBar::display() {
    if (variable().bound()) {
        position_ = static_cast<int32_t>(std::clamp<int64_t>(variableNumber(variable()), low_, high_));
        showPosition();
    }
}

Value ProgressBar::get(Prop prop, int32_t index) const {
    switch (prop) {
    case Prop::Progress:
        return position_;
    case Prop::RangeLow:
        return low_;
    case Prop::RangeHigh:
        return high_;
    default:
        return Control::get(prop, index);
    }
}

bool ProgressBar::set(Prop prop, const Value& value, int32_t index) {
    switch (prop) {
    case Prop::Progress:
        position_ = value.number32();
        showPosition();
        return true;
    case Prop::RangeLow:
    case Prop::RangeHigh:
        (prop == Prop::RangeLow ? low_ : high_) = value.number32();
        high_ = std::max(high_, low_);
        if (handle() != nullptr) {
            SendMessageA(handle(), PBM_SETRANGE32, static_cast<WPARAM>(low_), static_cast<LPARAM>(high_));
        }
        showPosition();
        return true;
    default:
        return Control::set(prop, value, index);
    }
}

WindowDefinition progressWindow(const std::string& caption, const std::string& text, int32_t total) {
    return {.caption = caption,
            .at = {-1, -1, 200, 44},
            .flags = wattr::ToolWindow,
            .controls = {
                {.number = progress::Text, .kind = kind::String, .at = {8, 7, 184, 10}, .text = text},
                {.number = progress::Bar,
                 .kind = kind::Progress,
                 .at = {8, 22, 184, 12},
                 .low = 0,
                 .high = std::max(total, 1)},
            }};
}

} // namespace runtime::ui
