// The caption "?" where the system lacks it. Sections:
//   Detection        whether the system has the button and the mode
//   Geometry         where the button sits in the caption
//   Button           drawing it, and a click on it
//   Help mode        the "?" pointer and the click on a control
//   Frame filter     the frame's messages that concern the button
#include <windows.h>

#include <algorithm>
#include <memory>
#include <optional>

#include "runtime/ui/caption_help.h"
#include "runtime/ui/handles.h"
#include "runtime/ui/property.h"
#include "runtime/ui/window.h"

namespace runtime::ui {
namespace {

// ---- Detection --------------------------------------------------------------

bool runsOnWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Marks a frame whose caption help is supplied, so that it is supplied once.
constexpr const char* SuppliedProperty = "RvCaptionHelp";

// ---- Geometry ---------------------------------------------------------------

bool hasContextHelp(HWND frame) {
    return (GetWindowLongPtrA(frame, GWL_EXSTYLE) & WS_EX_CONTEXTHELP) != 0 &&
           (GetWindowLongPtrA(frame, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
}

// The button's place relative to the frame's top-left corner, where the
// system puts it: left of the close button, with the same size and gap the
// caption's buttons have. Empty when the frame draws no caption of its own
// (another program draws the window's decorations).
RECT buttonInFrame(HWND frame) {
    RECT outer{};
    GetWindowRect(frame, &outer);
    POINT content{0, 0};
    ClientToScreen(frame, &content);
    int border = content.x - outer.left;
    bool tool = (GetWindowLongPtrA(frame, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
    int captionHeight = GetSystemMetrics(tool ? SM_CYSMCAPTION : SM_CYCAPTION);
    if (border < 0 || content.y - outer.top < border + captionHeight - 1) {
        return RECT{};
    }
    int width = GetSystemMetrics(tool ? SM_CXSMSIZE : SM_CXSIZE) - 2;
    int height = GetSystemMetrics(tool ? SM_CYSMSIZE : SM_CYSIZE) - 4;
    int closeRight = (outer.right - outer.left) - border - 2;
    int gap = 2;
    int right = closeRight - width - gap;
    int top = border + 2;
    return RECT{right - width, top, right, top + height};
}

RECT buttonOnScreen(HWND frame) {
    RECT place = buttonInFrame(frame);
    RECT outer{};
    GetWindowRect(frame, &outer);
    OffsetRect(&place, outer.left, outer.top);
    return place;
}

bool onButton(HWND frame, POINT screen) {
    RECT place = buttonOnScreen(frame);
    return !IsRectEmpty(&place) && PtInRect(&place, screen) != FALSE;
}

// ---- Button -----------------------------------------------------------------

// The mark in the caption's bold face, a little lower and to the right while
// the button is down, as the caption's other buttons draw theirs.
void drawQuestionMark(HDC dc, RECT place, bool pressed) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTA face = metrics.lfCaptionFont;
    face.lfWeight = FW_BOLD;
    face.lfHeight = -std::max<LONG>(place.bottom - place.top - 4, 6);
    face.lfWidth = 0;
    Font font(CreateFontIndirectA(&face));
    Selected selected(dc, font.get());
    if (pressed) {
        OffsetRect(&place, 1, 1);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextA(dc, "?", 1, &place, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void drawButton(HWND frame, bool pressed) {
    RECT place = buttonInFrame(frame);
    if (IsRectEmpty(&place) || !hasContextHelp(frame)) {
        return;
    }
    WindowDc dc(frame, WindowDc::Whole);
    if (dc.get() == nullptr) {
        return;
    }
    // The system's own caption "?" comes out as a greyed cross here, so it
    // draws the button and the mark is ours.
    DrawFrameControl(dc.get(), &place, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    drawQuestionMark(dc.get(), place, pressed);
}

bool captureLost(HWND frame) {
    return GetCapture() != frame;
}

// Follows the mouse while the button is held, as the caption's buttons do:
// pressed while the pointer is on it; true when it was released on it.
bool trackPress(HWND frame) {
    bool inside = true;
    drawButton(frame, true);
    SetCapture(frame);
    MSG message{};
    while (!captureLost(frame) && GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_LBUTTONUP) {
            break;
        }
        if (message.message == WM_MOUSEMOVE) {
            bool now = onButton(frame, message.pt);
            if (now != inside) {
                inside = now;
                drawButton(frame, inside);
            }
            continue;
        }
        if (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));
    }
    bool released = !captureLost(frame) && inside;
    if (!captureLost(frame)) {
        ReleaseCapture();
    }
    drawButton(frame, false);
    return released;
}

// ---- Help mode --------------------------------------------------------------

// The window of the control under the pointer, nullptr when the pointer is
// on no control (or on one without a window of its own).
HWND controlUnderPointer(const Window& window) {
    int32_t control = window.controlUnderMouse();
    if (control == 0) {
        return nullptr;
    }
    return reinterpret_cast<HWND>(static_cast<intptr_t>(window.get(control, Prop::Handle).number()));
}

void sendHelp(HWND control, POINT screen) {
    HELPINFO info{};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = GetDlgCtrlID(control);
    info.hItemHandle = control;
    info.dwContextId = GetWindowContextHelpId(control);
    info.MousePos = screen;
    SendMessageA(control, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}

bool isButtonDown(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
           message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
}

// The pointer is the "?" until the next click: a left click on a control
// asks for its help, any other click or Esc ends the mode without it, and
// so does anything that takes the mouse away (another window, a box).
void runHelpMode(const Window& window, HWND frame) {
    HCURSOR helpCursor = LoadCursorA(nullptr, IDC_HELP);
    SetCapture(frame);
    SetCursor(helpCursor);
    HWND askedFor = nullptr;
    POINT clickedAt{};
    bool clicked = false;
    MSG message{};
    while (!captureLost(frame) && GetMessageA(&message, nullptr, 0, 0) > 0) {
        UINT type = message.message;
        if (isButtonDown(type)) {
            clicked = true;
            clickedAt = message.pt;
            askedFor = type == WM_LBUTTONDOWN ? controlUnderPointer(window) : nullptr;
            continue;
        }
        if (clicked && (type == WM_LBUTTONUP || type == WM_RBUTTONUP || type == WM_MBUTTONUP)) {
            break; // the click is over; its release must not reach the control either
        }
        if (type >= WM_MOUSEFIRST && type <= WM_MOUSELAST) {
            SetCursor(helpCursor);
            continue;
        }
        if (type == WM_KEYDOWN || type == WM_SYSKEYDOWN) {
            if (message.wParam == VK_ESCAPE) {
                break;
            }
            continue;
        }
        if (type == WM_KEYUP || type == WM_SYSKEYUP || type == WM_CHAR || type == WM_SYSCHAR) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));
    }
    if (!captureLost(frame)) {
        ReleaseCapture();
    }
    if (askedFor != nullptr && IsWindow(askedFor)) {
        sendHelp(askedFor, clickedAt);
    }
}

// ---- Frame filter -----------------------------------------------------------

std::optional<LRESULT> filterFrame(const Window& window, HWND frame, UINT message, WPARAM wParam,
                                   LPARAM lParam) {
    switch (message) {
    case WM_NCPAINT:
    case WM_NCACTIVATE:
    case WM_SETTEXT: {
        // The system draws the caption first; the button goes on top.
        LRESULT result = DefWindowProcA(frame, message, wParam, lParam);
        drawButton(frame, false);
        return result;
    }
    case WM_NCHITTEST:
        if (hasContextHelp(frame) &&
            onButton(frame, POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))})) {
            return HTHELP;
        }
        return std::nullopt;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTHELP && hasContextHelp(frame)) {
            if (trackPress(frame)) {
                POINT at{};
                GetCursorPos(&at);
                SendMessageA(frame, WM_SYSCOMMAND, SC_CONTEXTHELP, MAKELPARAM(at.x, at.y));
            }
            return 0;
        }
        return std::nullopt;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CONTEXTHELP) {
            runHelpMode(window, frame);
            return 0;
        }
        return std::nullopt;
    case WM_NCDESTROY:
        RemovePropA(frame, SuppliedProperty);
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

} // namespace

bool systemHasCaptionHelp() {
    static const bool wine = runsOnWine();
    return !wine;
}

void supplyCaptionHelp(Window& window) {
    HWND frame = window.handle();
    if (systemHasCaptionHelp() || frame == nullptr || GetPropA(frame, SuppliedProperty) != nullptr) {
        return;
    }
    SetPropA(frame, SuppliedProperty, reinterpret_cast<HANDLE>(1));
    const Window* owner = &window;
    window.addFrameFilter([owner](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        return filterFrame(*owner, hwnd, message, wParam, lParam);
    });
    drawButton(frame, false);
}

} // namespace runtime::ui
