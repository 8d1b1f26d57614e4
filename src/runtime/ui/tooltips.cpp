#include "runtime/ui/tooltips.h"

#include <windows.h>

#include <commctrl.h>

namespace runtime::ui {
namespace {

TTTOOLINFOA toolOf(HWND canvas, int32_t control) {
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = canvas;
    tool.uId = static_cast<UINT_PTR>(static_cast<uint32_t>(control));
    return tool;
}

// The tooltip asks which window is under the mouse to find the tool there;
// the window under it is a control, but the tools belong to the canvas.
LRESULT CALLBACK answerForCanvas(HWND tooltip, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR canvasData) {
    if (message == TTM_WINDOWFROMPOINT) {
        auto canvas = reinterpret_cast<HWND>(canvasData);
        auto* point = reinterpret_cast<const POINT*>(lParam);
        HWND under = WindowFromPoint(*point);
        if (under == canvas || IsChild(canvas, under)) {
            return reinterpret_cast<LRESULT>(canvas);
        }
    }
    return DefSubclassProc(tooltip, message, wParam, lParam);
}

} // namespace

Tooltips::Tooltips(HWND canvas) : canvas_(canvas) {
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    tooltip_ =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                        GetAncestor(canvas, GA_ROOT), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (tooltip_ != nullptr) {
        // A width makes the tooltip break its text at CR LF.
        SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
        SetWindowSubclass(tooltip_, answerForCanvas, 1, reinterpret_cast<DWORD_PTR>(canvas));
    }
}

Tooltips::~Tooltips() {
    if (tooltip_ != nullptr) {
        RemoveWindowSubclass(tooltip_, answerForCanvas, 1);
        DestroyWindow(tooltip_);
    }
}

void Tooltips::set(int32_t control, const std::string& text, const RECT& area, bool shown) {
    if (tooltip_ == nullptr) {
        return;
    }
    TTTOOLINFOA tool = toolOf(canvas_, control);
    bool exists = SendMessageA(tooltip_, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
    if (text.empty() || !shown) {
        if (exists) {
            SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        }
        return;
    }
    tool = toolOf(canvas_, control);
    tool.rect = area;
    tool.lpszText = const_cast<char*>(text.c_str());
    if (!exists) {
        SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        return;
    }
    SendMessageA(tooltip_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void Tooltips::remove(int32_t control) {
    if (tooltip_ == nullptr) {
        return;
    }
    TTTOOLINFOA tool = toolOf(canvas_, control);
    SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void Tooltips::relay(const MSG& message) {
    if (tooltip_ == nullptr) {
        return;
    }
    // Tools are rectangles of the canvas: hand the message over as the canvas's.
    MSG relayed = message;
    if (message.hwnd != canvas_) {
        POINT point{static_cast<short>(LOWORD(message.lParam)), static_cast<short>(HIWORD(message.lParam))};
        MapWindowPoints(message.hwnd, canvas_, &point, 1);
        relayed.hwnd = canvas_;
        relayed.lParam = MAKELPARAM(point.x, point.y);
    }
    SendMessageA(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

} // namespace runtime::ui
