#include "runtime/ui/image.h"

#include <windows.h>

#include "runtime/ui/window.h"

namespace runtime::ui {

Image::Image(Window& window, const ControlDefinition& definition, const Rect& area)
    : Control(window, definition, area), picture_(loadPicture(definition.text)),
      surface_([this](UINT message, WPARAM wParam, LPARAM lParam) {
          return this->message(message, wParam, lParam);
      }) {}

HWND Image::createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) {
    return surface_.create("RvImage", 0, style, place, canvas, win32Id);
}

SIZE Image::naturalSize() const {
    return picture_.size();
}

bool Image::set(Prop prop, const Value& value, int32_t index) {
    if (prop == Prop::Text) {
        picture_ = loadPicture(value.text());
    }
    bool changed = Control::set(prop, value, index);
    if (changed && handle() != nullptr) {
        InvalidateRect(handle(), nullptr, TRUE);
    }
    return changed;
}

std::optional<LRESULT> Image::message(UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        Painting painting(handle());
        paint(painting.dc());
        return 0;
    }
    default:
        return std::nullopt;
    }
}

void Image::paint(HDC dc) {
    RECT client{};
    GetClientRect(handle(), &client);
    bool covers = picture_ && !picture_.isIcon() && (flags_ & attr::Centre) == 0;
    if (!covers) {
        FillRect(dc, &client, backgroundBrush(dc, false));
    }
    if (!picture_) {
        return;
    }
    RECT target = client;
    if ((flags_ & attr::Centre) != 0) {
        SIZE size = picture_.size();
        target.left = (client.right - size.cx) / 2;
        target.top = (client.bottom - size.cy) / 2;
        target.right = target.left + size.cx;
        target.bottom = target.top + size.cy;
    }
    picture_.draw(dc, target);
}

} // namespace runtime::ui
