// The tooltips of a window's controls: one tooltip window per runtime window,
// one tool per control with a tooltip, each a rectangle of the content. Mouse
// input is relayed by the window's loop rather than by subclassing, because
// labels let the mouse through to what lies below them and would never see it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "runtime/ui/handles.h"

namespace runtime::ui {

class Tooltips {
public:
    explicit Tooltips(HWND canvas);
    ~Tooltips();
    Tooltips(const Tooltips&) = delete;
    Tooltips& operator=(const Tooltips&) = delete;

    // Adds, moves or removes the tool of a control: it exists while the text is
    // not empty and the control is shown. `area` is in canvas coordinates.
    void set(int32_t control, const std::string& text, const RECT& area, bool shown);
    void remove(int32_t control);
    // Hands a mouse message of any window of ours to the tooltip window.
    void relay(const MSG& message);
    HWND handle() const { return tooltip_; }

private:
    HWND canvas_;
    HWND tooltip_ = nullptr;
};

} // namespace runtime::ui
