#include "runtime/ui/real_input.h"

namespace runtime::ui {

void sendMouse(POINT screen, DWORD buttons) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = buttons | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

void clickAt(POINT screen) {
    sendMouse(screen);
    sendMouse(screen, MOUSEEVENTF_LEFTDOWN);
    sendMouse(screen, MOUSEEVENTF_LEFTUP);
}

void tapKey(WORD virtualKey) {
    INPUT tap[2]{};
    tap[0].type = tap[1].type = INPUT_KEYBOARD;
    tap[0].ki.wVk = tap[1].ki.wVk = virtualKey;
    tap[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, tap, sizeof tap[0]);
}

} // namespace runtime::ui
