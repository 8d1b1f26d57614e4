// Push buttons on a toolbar: flat until the mouse is over them, raised while
// it is, pressed in while held down, and never holding the focus, so that
// choosing a tool leaves the typing where it was.
#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "runtime/ui/buttons.h"
#include "runtime/ui/toolbar.h"
#include "runtime/ui/window.h"

namespace runtime::ui {

PushButton::~PushButton() {
    if (tool_ && handle() != nullptr) {
        RemoveWindowSubclass(handle(), toolProc, 1); // the window may outlive the control
    }
}

bool PushButton::isTool() const {
    return onToolbar(*this);
}

bool PushButton::takesFocus() const {
    return !isTool();
}

void PushButton::makeTool(HWND button) {
    if (button == nullptr) {
        return;
    }
    tool_ = true;
    SetWindowSubclass(button, toolProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK PushButton::toolProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR self) {
    auto* tool = reinterpret_cast<PushButton*>(self);
    switch (message) {
    case WM_SETFOCUS: {
        // Given the focus anyway (Tab or activation): hand it back to where
        // it came from, when that was somewhere else in the window.
        auto* previous = reinterpret_cast<HWND>(wParam);
        if (previous != nullptr && previous != button && IsWindow(previous) != FALSE &&
            previous != GetAncestor(button, GA_ROOT)) {
            SetFocus(previous);
            return 0;
        }
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // Pressed without taking the focus, as the system's button would.
        SetCapture(button);
        SendMessageA(button, BM_SETSTATE, TRUE, 0);
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == button) {
            bool pushed = (SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
            ReleaseCapture();
            SendMessageA(button, BM_SETSTATE, FALSE, 0);
            if (pushed) {
                SendMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                             reinterpret_cast<LPARAM>(button));
            }
        }
        return 0;
    case WM_CAPTURECHANGED:
        SendMessageA(button, BM_SETSTATE, FALSE, 0);
        break;
    case WM_MOUSEMOVE:
        if (GetCapture() == button) {
            // Held down: pressed in while the mouse is over it, out when it leaves.
            RECT client{};
            GetClientRect(button, &client);
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            SendMessageA(button, BM_SETSTATE, PtInRect(&client, at), 0);
        }
        if (!tool->hot_) {
            tool->hot_ = true;
            TRACKMOUSEEVENT leave{sizeof(TRACKMOUSEEVENT), TME_LEAVE, button, 0};
            TrackMouseEvent(&leave);
            InvalidateRect(button, nullptr, FALSE);
        }
        break;
    case WM_MOUSELEAVE:
        tool->hot_ = false;
        InvalidateRect(button, nullptr, FALSE);
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(button, toolProc, 1);
        break;
    default:
        break;
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

bool PushButton::onDraw(const DRAWITEMSTRUCT& item) {
    if (!tool_) {
        return false;
    }
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    HBRUSH background = window().backgroundBrush(dc, *this);
    if (Control* bar = window().control(parent()); bar != nullptr) {
        background = bar->surfaceBrush(dc, *this);
    }
    FillRect(dc, &area, background);
    bool pressed = (item.itemState & ODS_SELECTED) != 0;
    bool disabled = (item.itemState & ODS_DISABLED) != 0;
    if (pressed) {
        DrawEdge(dc, &area, BDR_SUNKENOUTER, BF_RECT);
    } else if (hot_ && !disabled) {
        DrawEdge(dc, &area, BDR_RAISEDINNER, BF_RECT);
    }
    int shift = pressed ? 1 : 0;
    if (icon_) {
        int side = std::min<int>(GetSystemMetrics(SM_CXSMICON),
                                 std::min(area.right - area.left, area.bottom - area.top) - 4);
        int x = (area.left + area.right - side) / 2 + shift;
        int y = (area.top + area.bottom - side) / 2 + shift;
        if (disabled) {
            DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon_.get()), 0, x, y, side, side,
                       DST_ICON | DSS_DISABLED);
        } else {
            DrawIconEx(dc, x, y, icon_.get(), side, side, 0, nullptr, DI_NORMAL);
        }
        return true;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    HGDIOBJ previous = SelectObject(dc, font());
    OffsetRect(&area, shift, shift);
    DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &area,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, previous);
    return true;
}

} // namespace runtime::ui
