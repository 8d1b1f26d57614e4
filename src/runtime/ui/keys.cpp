#include "runtime/ui/keys.h"

#include <windows.h>

#include <map>
#include <mutex>

#include "runtime/sys/events.h"

namespace runtime::ui {
namespace {

struct Aliases {
    std::mutex mutex;
    std::map<int32_t, int32_t> table;
};

Aliases& aliases() {
    static Aliases instance;
    return instance;
}

bool down(int virtualKey) {
    return (GetKeyState(virtualKey) & 0x8000) != 0;
}

std::optional<int32_t> mouseCode(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
        return mousekey::Left;
    case WM_RBUTTONDOWN:
        return mousekey::Right;
    case WM_MBUTTONDOWN:
        return mousekey::Middle;
    case WM_LBUTTONDBLCLK:
        return mousekey::LeftDouble;
    case WM_RBUTTONDBLCLK:
        return mousekey::RightDouble;
    case WM_LBUTTONUP:
        return mousekey::LeftUp;
    case WM_RBUTTONUP:
        return mousekey::RightUp;
    default:
        return std::nullopt;
    }
}

} // namespace

int32_t makeKeyCode(int32_t virtualKey, bool shift, bool ctrl, bool alt) {
    return virtualKey + (shift ? key::Shift : 0) + (ctrl ? key::Ctrl : 0) + (alt ? key::Alt : 0);
}

std::optional<int32_t> keyCodeOf(const MSG& message) {
    if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
        auto virtualKey = static_cast<int32_t>(message.wParam);
        if (virtualKey == VK_SHIFT || virtualKey == VK_CONTROL || virtualKey == VK_MENU ||
            virtualKey == VK_LWIN || virtualKey == VK_RWIN) {
            return std::nullopt;
        }
        // WM_SYSKEYDOWN carries Alt in bit 29 of lParam; F10 alone is a system key without Alt.
        bool alt = (message.lParam & (1 << 29)) != 0;
        return applyKeyAlias(makeKeyCode(virtualKey, down(VK_SHIFT), down(VK_CONTROL), alt));
    }
    if (std::optional<int32_t> code = mouseCode(message.message)) {
        bool shift = (message.wParam & MK_SHIFT) != 0;
        bool ctrl = (message.wParam & MK_CONTROL) != 0;
        return applyKeyAlias(makeKeyCode(*code, shift, ctrl, down(VK_MENU)));
    }
    return std::nullopt;
}

int32_t virtualKeyOf(int32_t keyCode) {
    return keyCode & 0xFF;
}

bool hasShift(int32_t keyCode) {
    return (keyCode & key::Shift) != 0;
}

bool hasCtrl(int32_t keyCode) {
    return (keyCode & key::Ctrl) != 0;
}

bool hasAlt(int32_t keyCode) {
    return (keyCode & key::Alt) != 0;
}

bool isMouseCode(int32_t keyCode) {
    int32_t base = virtualKeyOf(keyCode);
    return base == mousekey::Left || base == mousekey::Right || base == mousekey::Middle ||
           base == mousekey::LeftDouble || base == mousekey::RightDouble || base == mousekey::LeftUp ||
           base == mousekey::RightUp;
}

void setKeyAlias(int32_t from, int32_t to) {
    std::lock_guard lock(aliases().mutex);
    aliases().table[from] = to;
}

void removeKeyAlias(int32_t from) {
    std::lock_guard lock(aliases().mutex);
    aliases().table.erase(from);
}

void clearKeyAliases() {
    std::lock_guard lock(aliases().mutex);
    aliases().table.clear();
}

int32_t applyKeyAlias(int32_t keyCode) {
    std::lock_guard lock(aliases().mutex);
    auto found = aliases().table.find(keyCode);
    return found == aliases().table.end() ? keyCode : found->second;
}

std::optional<char> characterOf(int32_t keyCode) {
    if (hasCtrl(keyCode) || hasAlt(keyCode) || isMouseCode(keyCode)) {
        return std::nullopt;
    }
    int32_t virtualKey = virtualKeyOf(keyCode);
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        return static_cast<char>(hasShift(keyCode) ? virtualKey : virtualKey - 'A' + 'a');
    }
    BYTE state[256] = {};
    if (hasShift(keyCode)) {
        state[VK_SHIFT] = 0x80;
    }
    WORD typed = 0;
    int count = ToAscii(static_cast<UINT>(virtualKey),
                        MapVirtualKeyA(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC), state, &typed, 0);
    char character = static_cast<char>(typed & 0xFF);
    if (count != 1 || static_cast<unsigned char>(character) < 0x20) {
        return std::nullopt;
    }
    return character;
}

bool ctrlHeld() {
    return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0 || down(VK_CONTROL);
}

} // namespace runtime::ui
