// The properties of the window itself: its Win32 windows, caption, frame,
// units, place, timer, cursor, colour and the mouse over it.
#include <windows.h>

#include <algorithm>

#include "runtime/ui/resources.h"
#include "runtime/ui/window.h"
#include "runtime/ui/window_frame.h"
#include "runtime/ui/window_text.h"

namespace runtime::ui {

HWND Window::handle() const {
    return frame_ ? frame_->hwnd() : nullptr;
}

HWND Window::clientHandle() const {
    return canvas_ ? canvas_->hwnd() : nullptr;
}

HWND Window::canvasHandle() const {
    return clientHandle();
}

std::string Window::title() const {
    if (handle() == nullptr) {
        return {};
    }
    return windowText(handle());
}

void Window::setTitle(std::string_view title) {
    if (handle() != nullptr) {
        SetWindowTextA(handle(), std::string(title).c_str());
    }
}

bool Window::captionShown() const {
    return handle() != nullptr && (GetWindowLongPtrA(handle(), GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
}

void Window::setCaptionShown(bool shown) {
    if (handle() == nullptr || captionShown() == shown) {
        return;
    }
    RECT client{};
    GetClientRect(handle(), &client);
    RECT outer{};
    GetWindowRect(handle(), &outer);
    LONG_PTR style = GetWindowLongPtrA(handle(), GWL_STYLE);
    if (shown) {
        style = (style & ~static_cast<LONG_PTR>(WS_POPUP)) | WS_CAPTION | WS_SYSMENU;
    } else {
        style = (style & ~static_cast<LONG_PTR>(WS_CAPTION | WS_SYSMENU)) | WS_POPUP | WS_BORDER;
    }
    SetWindowLongPtrA(handle(), GWL_STYLE, style);
    RECT wanted = client;
    AdjustWindowRectEx(&wanted, static_cast<DWORD>(style), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(handle(), GWL_EXSTYLE)));
    SetWindowPos(handle(), nullptr, outer.left, outer.top, wanted.right - wanted.left,
                 wanted.bottom - wanted.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

int32_t Window::toUnitsX(int pixels) const {
    return pixels_ ? pixels : pixelsToDialogX(pixels, base_);
}

int32_t Window::toUnitsY(int pixels) const {
    return pixels_ ? pixels : pixelsToDialogY(pixels, base_);
}

int Window::toPixelsX(int32_t units) const {
    return pixels_ ? units : dialogToPixelsX(units, base_);
}

int Window::toPixelsY(int32_t units) const {
    return pixels_ ? units : dialogToPixelsY(units, base_);
}

Rect Window::position() const {
    if (handle() == nullptr) {
        return {};
    }
    RECT outer{};
    GetWindowRect(handle(), &outer);
    RECT client{};
    GetClientRect(handle(), &client);
    return {toUnitsX(outer.left), toUnitsY(outer.top), toUnitsX(client.right), toUnitsY(client.bottom)};
}

void Window::setPosition(const Rect& position) {
    if (handle() == nullptr) {
        return;
    }
    RECT wanted{0, 0, toPixelsX(position.width), toPixelsY(position.height)};
    AdjustWindowRectEx(&wanted, static_cast<DWORD>(GetWindowLongPtrA(handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(handle(), GWL_EXSTYLE)));
    SetWindowPos(handle(), nullptr, toPixelsX(position.x), toPixelsY(position.y), wanted.right - wanted.left,
                 wanted.bottom - wanted.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::setTimer(int32_t hundredths) {
    timer_ = std::max(hundredths, 0);
    if (handle() == nullptr) {
        return;
    }
    if (timer_ == 0) {
        KillTimer(handle(), EventTimerId);
    } else {
        SetTimer(handle(), EventTimerId, static_cast<UINT>(timer_) * 10, nullptr);
    }
}

void Window::activate() {
    if (handle() == nullptr) {
        return;
    }
    if (IsIconic(handle())) {
        ShowWindow(handle(), SW_RESTORE);
    }
    SetForegroundWindow(handle());
    SetActiveWindow(handle());
}

void Window::show() {
    if (handle() != nullptr) {
        ShowWindow(handle(), SW_SHOWNORMAL);
        UpdateWindow(handle());
    }
}

void Window::hide() {
    if (handle() != nullptr) {
        ShowWindow(handle(), SW_HIDE);
    }
}

void Window::setBusy(bool busy) {
    busy_ = busy;
    POINT mouse{};
    GetCursorPos(&mouse);
    // Make the cursor change now, not at the next mouse move.
    SetCursorPos(mouse.x, mouse.y);
}

void Window::setCursor(std::string_view name) {
    cursorName_ = std::string(name);
    windowCursor_ = loadCursor(cursorName_);
    POINT mouse{};
    GetCursorPos(&mouse);
    SetCursorPos(mouse.x, mouse.y);
}

void Window::setColour(int32_t colour) {
    colour_ = colour;
    colourBrush_.reset(colour == DefaultColour ? nullptr : CreateSolidBrush(static_cast<COLORREF>(colour)));
    if (clientHandle() != nullptr) {
        RedrawWindow(clientHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

bool Window::resizable() const {
    return handle() != nullptr && (GetWindowLongPtrA(handle(), GWL_STYLE) & WS_THICKFRAME) != 0;
}

void Window::setResizable(bool resizable) {
    if (handle() == nullptr || this->resizable() == resizable) {
        return;
    }
    RECT client{};
    GetClientRect(handle(), &client);
    RECT outer{};
    GetWindowRect(handle(), &outer);
    LONG_PTR style = GetWindowLongPtrA(handle(), GWL_STYLE);
    style = resizable ? (style | WS_THICKFRAME) : (style & ~static_cast<LONG_PTR>(WS_THICKFRAME));
    SetWindowLongPtrA(handle(), GWL_STYLE, style);
    // The content keeps its size; the frame grows or shrinks around it.
    RECT wanted = client;
    AdjustWindowRectEx(&wanted, static_cast<DWORD>(style), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(handle(), GWL_EXSTYLE)));
    SetWindowPos(handle(), nullptr, outer.left, outer.top, wanted.right - wanted.left,
                 wanted.bottom - wanted.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Window::addFrameFilter(FrameFilter filter) {
    frameFilters_.push_back(std::move(filter));
}

POINT Window::mouseInContent() const {
    POINT mouse{};
    GetCursorPos(&mouse);
    if (clientHandle() != nullptr) {
        ScreenToClient(clientHandle(), &mouse);
    }
    mouse.y += scrollY_;
    return mouse;
}

int32_t Window::mouseX() const {
    return toUnitsX(mouseInContent().x);
}

int32_t Window::mouseY() const {
    return toUnitsY(mouseInContent().y);
}

int32_t Window::controlUnderMouse() const {
    POINT screen{};
    GetCursorPos(&screen);
    HWND over = WindowFromPoint(screen);
    if (!holds(over)) {
        return 0;
    }
    Control* control = controlAt(mouseInContent());
    return control == nullptr ? 0 : control->number();
}

} // namespace runtime::ui
