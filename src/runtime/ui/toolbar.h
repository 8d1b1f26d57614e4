// A toolbar: the strip along the top of a window that holds buttons (with
// icons, tooltips and message lines), pictures and other controls, numbered
// negative by convention. It keeps the width of the window; in the program's
// frame it is the frame's content, above the child windows. Buttons on it are
// flat until the mouse is over them, as toolbar buttons are.
#pragma once

#include "runtime/ui/control.h"
#include "runtime/ui/shapes.h"

namespace runtime::ui {

class Toolbar : public Control {
public:
    Toolbar(Window& window, const ControlDefinition& definition, const Rect& area);
    bool isContainer() const override { return true; }
    bool opaque() const override { return true; }

protected:
    HWND createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) override;
    SIZE naturalSize() const override;

private:
    std::optional<LRESULT> message(UINT message, WPARAM wParam, LPARAM lParam);
    OwnDrawnWindow surface_;
};

// True when the control lies on a toolbar.
bool onToolbar(const Control& control);

} // namespace runtime::ui
