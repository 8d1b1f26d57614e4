#include "runtime/ui/window_frame.h"

#include <windows.h>

#include "runtime/sys/events.h"
#include "runtime/ui/window.h"

namespace runtime::ui {
bool Frame::create(DWORD exStyle, DWORD style, const RECT& place, HWND ownerWindow, const char* title,
                   bool mdiFrame) {
    return createWindow(mdiFrame ? "RvMdiFrame" : "RvWindowFrame",
                        mdiFrame ? ClassKind::MdiFrame : ClassKind::Plain, exStyle, title, style, place.left,
                        place.top, place.right - place.left, place.bottom - place.top, ownerWindow, nullptr);
}

bool Frame::createChild(DWORD style, POINT at, SIZE size, HWND client, const char* title) {
    return createMdiChild("RvMdiChild", title, style, at.x, at.y, size.cx, size.cy, client);
}

LRESULT Frame::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    for (const Window::FrameFilter& filter : owner_.frameFilters_) {
        if (std::optional<LRESULT> answer = filter(hwnd(), message, wParam, lParam)) {
            return *answer;
        }
    }
    switch (message) {
    case WM_CLOSE:
        owner_.queue(event::CloseWindow, 0);
        return 0;
    case WM_ENDSESSION:
        if (wParam != 0) {
            owner_.queue(event::CloseDown, 0);
        }
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus != nullptr && IsChild(owner_.canvasHandle(), focus)) {
                owner_.lastFocus_ = focus;
            }
            owner_.queue(event::LoseFocus, 0);
        } else {
            owner_.queue(event::GainFocus, 0);
        }
        break;
    case WM_MDIACTIVATE:
        // A child window of the frame is activated by its client, not by the system.
        if (reinterpret_cast<HWND>(wParam) == hwnd()) {
            HWND focus = GetFocus();
            if (focus != nullptr && IsChild(owner_.canvasHandle(), focus)) {
                owner_.lastFocus_ = focus;
            }
            owner_.queue(event::LoseFocus, 0);
        }
        if (reinterpret_cast<HWND>(lParam) == hwnd()) {
            owner_.queue(event::GainFocus, 0);
        }
        break;
    case WM_SETFOCUS:
        if (owner_.mdiChild_) {
            byDefault(message, wParam, lParam);
        } else if (owner_.mdiFrame_ && SendMessageA(owner_.mdiClient_, WM_MDIGETACTIVE, 0, 0) != 0) {
            break; // the active child window takes it
        }
        owner_.restoreFocus();
        return 0;
    case WM_COMMAND:
        if (lParam == 0 && owner_.menuCommand(LOWORD(wParam))) {
            return 0;
        }
        break;
    case WM_MENUSELECT:
        owner_.menuSelected(wParam, lParam);
        break;
    case WM_EXITMENULOOP:
        owner_.endMessage();
        break;
    case WM_TIMER:
        if (wParam == Window::EventTimerId) {
            owner_.queue(event::Timer, 0);
        } else if (wParam == Window::MouseTimerId) {
            owner_.trackMouse(false);
        }
        return 0;
    case WM_SIZE:
        owner_.frameSized();
        if (wParam != SIZE_MINIMIZED) {
            owner_.queue(event::Sized, 0);
        }
        // A child window's client keeps track of maximised children through it.
        return owner_.mdiChild_ ? byDefault(message, wParam, lParam) : 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && (owner_.busy_ || owner_.windowCursor_)) {
            SetCursor(owner_.busy_ ? LoadCursorA(nullptr, IDC_WAIT) : owner_.windowCursor_.get());
            return TRUE;
        }
        break;
    case WM_ERASEBKGND:
        return 1;
    default:
        break;
    }
    return byDefault(message, wParam, lParam);
}

bool Canvas::create(HWND frame) {
    RECT client{};
    GetClientRect(frame, &client);
    return createWindow("RvWindowCanvas", ClassKind::Dialog, WS_EX_CONTROLPARENT, "",
                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | DS_CONTROL, 0, 0, client.right,
                        client.bottom, frame, nullptr);
}

LRESULT Canvas::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        auto* from = reinterpret_cast<HWND>(lParam);
        Control* control = from != nullptr ? owner_.controlOfHandle(from) : nullptr;
        if (control == nullptr) {
            auto found = owner_.byId_.find(LOWORD(wParam));
            control = found == owner_.byId_.end() ? nullptr : found->second;
        }
        if (control != nullptr && !owner_.closing_) {
            control->onCommand(HIWORD(wParam));
        }
        return 0;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (Control* control = owner_.controlOfHandle(header->hwndFrom)) {
            if (std::optional<LRESULT> answer = control->onNotify(*header)) {
                return *answer;
            }
        }
        break;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (Control* control = owner_.controlOfHandle(item.hwndItem);
            control != nullptr && control->onDraw(item)) {
            return TRUE;
        }
        break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        if (Control* control = owner_.controlOfHandle(reinterpret_cast<HWND>(lParam))) {
            if (HBRUSH brush = control->onColour(reinterpret_cast<HDC>(wParam))) {
                return reinterpret_cast<LRESULT>(brush);
            }
        }
        break;
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(hwnd(), &client);
        owner_.paintBackground(reinterpret_cast<HDC>(wParam), client);
        return 1;
    }
    case WM_SETCURSOR: {
        if (LOWORD(lParam) != HTCLIENT) {
            break;
        }
        if (owner_.busy_ || owner_.windowCursor_) {
            SetCursor(owner_.busy_ ? LoadCursorA(nullptr, IDC_WAIT) : owner_.windowCursor_.get());
            return TRUE;
        }
        auto* over = reinterpret_cast<HWND>(wParam);
        Control* control = owner_.controlOfHandle(over);
        if (control == nullptr && over == hwnd()) {
            control = owner_.controlAt(owner_.mouseInContent());
        }
        if (control != nullptr && control->cursor() != nullptr) {
            SetCursor(control->cursor());
            return TRUE;
        }
        break;
    }
    case WM_VSCROLL:
        return scroll(wParam);
    case WM_MOUSEWHEEL:
        if (owner_.scrolling_) {
            int lines = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3;
            owner_.scrollTo(owner_.scrollY_ - lines * owner_.base_.y);
            return 0;
        }
        break;
    default:
        break;
    }
    return byDefault(message, wParam, lParam);
}

LRESULT Canvas::scroll(WPARAM wParam) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(hwnd(), SB_VERT, &info);
    int position = info.nPos;
    int line = owner_.base_.y;
    switch (LOWORD(wParam)) {
    case SB_LINEUP:
        position -= line;
        break;
    case SB_LINEDOWN:
        position += line;
        break;
    case SB_PAGEUP:
        position -= static_cast<int>(info.nPage);
        break;
    case SB_PAGEDOWN:
        position += static_cast<int>(info.nPage);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        position = info.nTrackPos;
        break;
    case SB_TOP:
        position = 0;
        break;
    case SB_BOTTOM:
        position = info.nMax;
        break;
    default:
        return 0;
    }
    owner_.scrollTo(position);
    return 0;
}

} // namespace runtime::ui
