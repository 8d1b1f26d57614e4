// Progress bars: a bar filled to a position within a range (0 to 100 unless
// the definition's low and high say otherwise). The position is the bound
// variable when there is one (shown again by Window::display), else
// Prop::Progress.
//
// progressWindow() is the small window a long task shows while it runs: a
// line of text (control 1) above a progress bar (control 2).
#pragma once

#include <string>

#include "runtime/ui/control.h"
#include "runtime/ui/definition.h"

namespace runtime::ui {

class ProgressBar : public Control {
public:
    ProgressBar(Window& window, const ControlDefinition& definition, const Rect& area);
    Value get(Prop prop, int32_t index) const override;
    bool set(Prop prop, const Value& value, int32_t index) override;
    void display() override;

protected:
    HWND createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) override;
    SIZE naturalSize() const override;

private:
    void showPosition();
    int32_t low_;
    int32_t high_;
    int32_t position_;
};

namespace progress {
inline constexpr int32_t Text = 1;
inline constexpr int32_t Bar = 2;
} // namespace progress

// A window with `text` above a progress bar from 0 to `total`.
WindowDefinition progressWindow(const std::string& caption, const std::string& text, int32_t total);

} // namespace runtime::ui
