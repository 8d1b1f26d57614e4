// An image control: a picture (pictures.h) named by the control's text,
// stretched over the control's area, or at its own size in the middle of the
// area with attr::Centre. Without a size in the definition the control takes
// the picture's size.
#pragma once

#include "runtime/ui/control.h"
#include "runtime/ui/pictures.h"
#include "runtime/ui/shapes.h"

namespace runtime::ui {

class Image : public Control {
public:
    Image(Window& window, const ControlDefinition& definition, const Rect& area);
    bool set(Prop prop, const Value& value, int32_t index) override;

protected:
    HWND createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) override;
    SIZE naturalSize() const override;

private:
    std::optional<LRESULT> message(UINT message, WPARAM wParam, LPARAM lParam);
    void paint(HDC dc);
    Picture picture_;
    OwnDrawnWindow surface_;
};

} // namespace runtime::ui
