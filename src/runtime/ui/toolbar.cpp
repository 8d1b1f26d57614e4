#include "runtime/ui/toolbar.h"

#include <windows.h>

#include "runtime/sys/events.h"
#include "runtime/ui/window.h"

namespace runtime::ui {

Toolbar::Toolbar(Window& window, const ControlDefinition& definition, const Rect& area)
    : Control(window, definition, area), surface_([this](UINT message, WPARAM wParam, LPARAM lParam) {
          return this->message(message, wParam, lParam);
      }) {
    autoWidth_ = false;
}

HWND Toolbar::createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) {
    return surface_.create("RvToolbar", 0, style, place, canvas, win32Id);
}

SIZE Toolbar::naturalSize() const {
    // Room for a button of the system's icon size and its frame.
    return {area().width, GetSystemMetrics(SM_CYICON) + 8};
}

std::optional<LRESULT> Toolbar::message(UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        Painting painting(handle());
        RECT client{};
        GetClientRect(handle(), &client);
        int32_t colour = get(Prop::Colour, 0).number32();
        if (colour != DefaultColour) {
            Brush fill(CreateSolidBrush(static_cast<COLORREF>(colour)));
            FillRect(painting.dc(), &client, fill.get());
        } else {
            FillRect(painting.dc(), &client, GetSysColorBrush(COLOR_3DFACE));
        }
        // A line above, against the menu bar, and one below, against what follows.
        DrawEdge(painting.dc(), &client, BDR_RAISEDINNER, BF_TOP);
        DrawEdge(painting.dc(), &client, EDGE_ETCHED, BF_BOTTOM);
        return 0;
    }
    default:
        return std::nullopt;
    }
}

bool onToolbar(const Control& control) {
    Control* holder = control.parent() == 0 ? nullptr : control.window().control(control.parent());
    return holder != nullptr && holder->kind() == runtime::kind::Toolbar;
}

} // namespace runtime::ui
