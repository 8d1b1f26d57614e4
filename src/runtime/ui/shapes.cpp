#include "runtime/ui/shapes.h"

#include <windows.h>

#include <algorithm>

#include "runtime/sys/events.h"
#include "runtime/ui/window.h"

namespace runtime::ui {

HWND OwnDrawnWindow::create(const char* className, DWORD exStyle, DWORD style, const RECT& place, HWND parent,
                            int win32Id) {
    createWindow(className, ClassKind::Plain, exStyle, "", style, place.left, place.top,
                 place.right - place.left, place.bottom - place.top, parent,
                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(win32Id)));
    return hwnd();
}

LRESULT OwnDrawnWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (std::optional<LRESULT> answer = handler_(message, wParam, lParam)) {
        return *answer;
    }
    return byDefault(message, wParam, lParam);
}

// ---- Group boxes --------------------------------------------------------------

HWND GroupBox::createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) {
    // Transparent, so the content's background is painted inside the frame.
    return CreateWindowExA(WS_EX_TRANSPARENT, "BUTTON", text_.c_str(), style | BS_GROUPBOX, place.left,
                           place.top, place.right - place.left, place.bottom - place.top, canvas,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(win32Id)), GetModuleHandleA(nullptr),
                           nullptr);
}

// ---- Panels -------------------------------------------------------------------

Panel::Panel(Window& window, const ControlDefinition& definition, const Rect& area)
    : Control(window, definition, area), surface_([this](UINT message, WPARAM wParam, LPARAM lParam) {
          return this->message(message, wParam, lParam);
      }) {}

HWND Panel::createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) {
    return surface_.create("RvPanel", 0, style, place, canvas, win32Id);
}

std::optional<LRESULT> Panel::message(UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_NCHITTEST:
        return HTTRANSPARENT; // clicks go to what lies on it or under it
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        Painting painting(handle());
        RECT client{};
        GetClientRect(handle(), &client);
        FillRect(painting.dc(), &client, backgroundBrush(painting.dc(), false));
        if ((flags_ & attr::Border) != 0) {
            DrawEdge(painting.dc(), &client, EDGE_SUNKEN, BF_RECT);
        }
        return 0;
    }
    default:
        return std::nullopt;
    }
}

// ---- Lines and boxes ----------------------------------------------------------

Shape::Shape(Window& window, const ControlDefinition& definition, const Rect& area)
    : Control(window, definition, area), surface_([this](UINT message, WPARAM wParam, LPARAM lParam) {
          return this->message(message, wParam, lParam);
      }) {
    autoWidth_ = autoHeight_ = false; // a line of height 0 is horizontal, not "natural"
}

Rect Shape::handleArea() const {
    Rect shown = area();
    if (kind() == runtime::kind::Line) {
        shown.width = std::max(shown.width, 2);
        shown.height = std::max(shown.height, 2);
    }
    return shown;
}

HWND Shape::createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) {
    return surface_.create("RvShape", 0, style, place, canvas, win32Id);
}

bool Shape::set(Prop prop, const Value& value, int32_t index) {
    bool changed = Control::set(prop, value, index);
    if (changed && handle() != nullptr) {
        InvalidateRect(handle(), nullptr, TRUE);
    }
    return changed;
}

std::optional<LRESULT> Shape::message(UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        Painting painting(handle());
        RECT client{};
        GetClientRect(handle(), &client);
        paint(painting.dc(), client);
        return 0;
    }
    default:
        return std::nullopt;
    }
}

void Shape::paint(HDC dc, const RECT& client) {
    int32_t colour = get(Prop::Colour, 0).number32();
    if (kind() == runtime::kind::Line) {
        FillRect(dc, &client, window().backgroundBrush(dc, *this));
        bool horizontal = area().height == 0;
        bool vertical = area().width == 0;
        if (colour != DefaultColour || (!horizontal && !vertical)) {
            Pen pen(CreatePen(PS_SOLID, 1, colour != DefaultColour ? colour : GetSysColor(COLOR_BTNSHADOW)));
            Selected chosen(dc, pen.get());
            MoveToEx(dc, 0, 0, nullptr);
            LineTo(dc,
                   horizontal ? client.right
                   : vertical ? 0
                              : client.right - 1,
                   vertical     ? client.bottom
                   : horizontal ? 0
                                : client.bottom - 1);
            return;
        }
        DrawEdge(dc, const_cast<RECT*>(&client), EDGE_ETCHED, horizontal ? BF_TOP : BF_LEFT);
        return;
    }
    if (colour != DefaultColour) {
        Brush fill(CreateSolidBrush(static_cast<COLORREF>(colour)));
        FillRect(dc, &client, fill.get());
    } else {
        FillRect(dc, &client, window().backgroundBrush(dc, *this));
    }
    int32_t border = effectiveFont().colour;
    if (border == DefaultColour) {
        DrawEdge(dc, const_cast<RECT*>(&client), EDGE_ETCHED, BF_RECT);
        return;
    }
    Brush frame(CreateSolidBrush(static_cast<COLORREF>(border)));
    FrameRect(dc, &client, frame.get());
}

// ---- Regions ------------------------------------------------------------------

Region::Region(Window& window, const ControlDefinition& definition, const Rect& area)
    : Control(window, definition, area), surface_([this](UINT message, WPARAM wParam, LPARAM lParam) {
          return this->message(message, wParam, lParam);
      }) {
    autoWidth_ = autoHeight_ = false;
}

HWND Region::createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) {
    // Transparent: what lies below is drawn first and shows through.
    return surface_.create("RvRegion", WS_EX_TRANSPARENT, style, place, canvas, win32Id);
}

std::optional<LRESULT> Region::message(UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        Painting painting(handle());
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        window().pressed(*this);
        return 0;
    default:
        return std::nullopt;
    }
}

void Region::press() {
    window().pressed(*this);
}

} // namespace runtime::ui
