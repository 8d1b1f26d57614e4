// Keyboard and mouse input of a window before its controls see it: alerted
// keys and mouse buttons, mouse tracking, tooltips, the keyboard behaviour of
// a dialog (Tab, Enter, Esc, mnemonics) through the system's dialog manager,
// and keys and buttons pressed by the program.
#include <windows.h>

#include <algorithm>
#include <cctype>

#include "runtime/sys/events.h"
#include "runtime/ui/keys.h"
#include "runtime/ui/tooltips.h"
#include "runtime/ui/window.h"

namespace runtime::ui {
namespace {

bool isKeyboardMessage(UINT message) {
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

bool isMouseMessage(UINT message) {
    return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST;
}

UINT upMessageOf(UINT down) {
    switch (down) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return WM_LBUTTONUP;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        return WM_RBUTTONUP;
    case WM_MBUTTONDOWN:
        return WM_MBUTTONUP;
    default:
        return 0;
    }
}

char mnemonicOf(const std::string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '&') {
            if (text[i + 1] != '&') {
                return static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
            }
            ++i;
        }
    }
    return 0;
}

} // namespace

// ---- Keys -----------------------------------------------------------------

void Window::pressKey(int32_t keyCode) {
    if (closed_) {
        return;
    }
    int32_t code = applyKeyAlias(keyCode);
    int32_t target = focus();
    keyCode_ = code;
    if (isAlerted(target, code)) {
        queue(event::AlertKey, target, code);
        return;
    }
    HWND canvas = clientHandle();
    int32_t virtualKey = virtualKeyOf(code);
    bool plain = !hasCtrl(code) && !hasAlt(code);
    if (virtualKey == VK_TAB && plain) {
        SendMessageA(canvas, WM_NEXTDLGCTL, hasShift(code) ? 1 : 0, FALSE);
        return;
    }
    if (virtualKey == VK_RETURN && plain && !hasShift(code)) {
        LRESULT answer = SendMessageA(canvas, DM_GETDEFID, 0, 0);
        if (HIWORD(answer) == DC_HASDEFID) {
            auto found = byId_.find(LOWORD(answer));
            if (found != byId_.end()) {
                pressButton(found->second->number());
            }
        }
        return;
    }
    if (virtualKey == VK_ESCAPE && plain) {
        auto found = byId_.find(IDCANCEL);
        if (found != byId_.end()) {
            pressButton(found->second->number());
        }
        return;
    }
    bool letter = (virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9');
    HWND focusWindow = GetFocus();
    bool wantsChars =
        focusWindow != nullptr && (SendMessageA(focusWindow, WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) != 0;
    if (letter && hasAlt(code) && !hasCtrl(code)) {
        pressMnemonic(static_cast<char>(virtualKey));
        return;
    }
    if (letter && plain && !wantsChars) {
        pressMnemonic(static_cast<char>(virtualKey));
        return;
    }
    if (focusWindow == nullptr) {
        return;
    }
    SendMessageA(focusWindow, WM_KEYDOWN, static_cast<WPARAM>(virtualKey), 1);
    UINT character = MapVirtualKeyA(static_cast<UINT>(virtualKey), MAPVK_VK_TO_CHAR) & 0x7FFF;
    if (character != 0 && !hasCtrl(code) && !hasAlt(code)) {
        if (character >= 'A' && character <= 'Z' && !hasShift(code)) {
            character = character - 'A' + 'a';
        }
        SendMessageA(focusWindow, WM_CHAR, character, 1);
    }
    SendMessageA(focusWindow, WM_KEYUP, static_cast<WPARAM>(virtualKey), 0xC0000001);
}

bool Window::pressMnemonic(char letter) {
    char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    for (const auto& control : controls_) {
        if (!isShown(*control) || !isEnabled(*control) ||
            mnemonicOf(control->get(Prop::Text, 0).text()) != wanted) {
            continue;
        }
        if (control->kind() == kind::Prompt) {
            // A prompt hands the focus on to the control after it.
            HWND next = GetNextDlgTabItem(clientHandle(), control->handle(), FALSE);
            if (next != nullptr) {
                SetFocus(next);
            }
            return true;
        }
        if (control->kind() == kind::String || control->kind() == kind::VariableString) {
            continue;
        }
        control->press();
        return true;
    }
    return false;
}

void Window::pressButton(int32_t control) {
    Control* target = this->control(control);
    if (target != nullptr && isShown(*target) && isEnabled(*target)) {
        target->press();
    }
}

// ---- Alerts -----------------------------------------------------------------

void Window::alert(int32_t keyCode) {
    if (std::find(windowAlerts_.begin(), windowAlerts_.end(), keyCode) == windowAlerts_.end()) {
        windowAlerts_.push_back(keyCode);
    }
}

void Window::unalert(int32_t keyCode) {
    std::erase(windowAlerts_, keyCode);
}

bool Window::alertKey(int32_t control, int32_t keyCode) {
    if (this->control(control) == nullptr) {
        return false;
    }
    std::vector<int32_t>& slots = controlAlerts_[control].slots;
    auto last = std::find_if(slots.rbegin(), slots.rend(), [](int32_t key) { return key != 0; });
    size_t next = static_cast<size_t>(slots.rend() - last);
    if (next < slots.size()) {
        slots[next] = keyCode;
    } else {
        slots.push_back(keyCode);
    }
    return true;
}

bool Window::setAlert(int32_t control, int32_t slot, int32_t keyCode) {
    if (this->control(control) == nullptr || slot < 1 || slot > 255) {
        return false;
    }
    std::vector<int32_t>& slots = controlAlerts_[control].slots;
    if (slots.size() < static_cast<size_t>(slot)) {
        slots.resize(static_cast<size_t>(slot), 0);
    }
    slots[static_cast<size_t>(slot) - 1] = keyCode;
    return true;
}

bool Window::unalertKey(int32_t control, int32_t keyCode) {
    auto found = controlAlerts_.find(control);
    if (found == controlAlerts_.end()) {
        return false;
    }
    bool removed = false;
    for (int32_t& key : found->second.slots) {
        if (key == keyCode) {
            key = 0;
            removed = true;
        }
    }
    return removed;
}

std::vector<int32_t> Window::alerts(int32_t control) const {
    std::vector<int32_t> keys;
    auto found = controlAlerts_.find(control);
    if (found != controlAlerts_.end()) {
        std::copy_if(found->second.slots.begin(), found->second.slots.end(), std::back_inserter(keys),
                     [](int32_t key) { return key != 0; });
    }
    return keys;
}

bool Window::isAlerted(int32_t control, int32_t keyCode) const {
    if (std::find(windowAlerts_.begin(), windowAlerts_.end(), keyCode) != windowAlerts_.end()) {
        return true;
    }
    auto found = controlAlerts_.find(control);
    return found != controlAlerts_.end() && std::find(found->second.slots.begin(), found->second.slots.end(),
                                                      keyCode) != found->second.slots.end();
}

// ---- Input before the controls see it ---------------------------------------

bool Window::translateInput(MSG& message) {

    if (isMouseMessage(message.message) || message.message == WM_MOUSELEAVE) {
        if (tooltips_ && isMouseMessage(message.message)) {
            tooltips_->relay(message);
        }
        if (message.message == WM_MOUSEMOVE || message.message == WM_MOUSELEAVE) {
            trackMouse(message.message == WM_MOUSEMOVE);
            hoverMessage(message.message == WM_MOUSEMOVE ? message.hwnd : nullptr);
        }
    }
    // Ctrl+F4, Ctrl+F6 and the child window's system menu, as in every frame.
    HWND client = mdiFrame_ ? mdiClient_ : mdiChild_ ? GetParent(handle()) : nullptr;
    bool keyDown = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
    if (client != nullptr && keyDown && TranslateMDISysAccel(client, &message)) {
        return true;
    }
    if (std::optional<int32_t> code = keyCodeOf(message)) {
        bool handled = isKeyboardMessage(message.message) ? handleKey(message, *code)
                                                          : handleMouseButton(message, *code);
        if (handled) {
            return true;
        }
    }
    HWND canvas = clientHandle();
    if (canvas != nullptr && (message.hwnd == canvas || IsChild(canvas, message.hwnd))) {
        return IsDialogMessageA(canvas, &message) != FALSE;
    }
    return false;
}

bool Window::handleKey(MSG&, int32_t keyCode) {
    keyCode_ = keyCode;
    int32_t target = focus();
    if (!isAlerted(target, keyCode)) {
        return false;
    }
    queue(event::AlertKey, target, keyCode);
    return true;
}

bool Window::handleMouseButton(MSG& message, int32_t keyCode) {
    Control* control = controlOfHandle(message.hwnd);
    if (control == nullptr && message.hwnd == clientHandle()) {
        POINT point{static_cast<short>(LOWORD(message.lParam)), static_cast<short>(HIWORD(message.lParam))};
        point.y += scrollY_;
        control = controlAt(point);
    }
    int32_t target = control == nullptr ? 0 : control->number();
    if (swallowUp_ != 0 && message.message == swallowUp_) {
        swallowUp_ = 0;
        if (!isAlerted(target, keyCode)) {
            return true; // the release of a click that was alerted
        }
    }
    keyCode_ = keyCode;
    if (!isAlerted(target, keyCode)) {
        return false;
    }
    queue(event::AlertKey, target, keyCode);
    swallowUp_ = upMessageOf(message.message);
    return true;
}

void Window::trackMouse(bool moved) {
    bool anyTracked =
        std::any_of(controls_.begin(), controls_.end(), [](const auto& c) { return c->trackMouse(); });
    if (!anyTracked && mouseInside_.empty()) {
        return;
    }
    POINT screen{};
    GetCursorPos(&screen);
    HWND over = WindowFromPoint(screen);
    bool inside = holds(over);
    POINT point = mouseInContent();
    std::vector<int32_t> now;
    if (inside) {
        for (const auto& control : controls_) {
            if (control->trackMouse() && isShown(*control) && control->area().contains(point.x, point.y)) {
                now.push_back(control->number());
            }
        }
    }
    for (int32_t before : mouseInside_) {
        if (std::find(now.begin(), now.end(), before) == now.end()) {
            queue(event::MouseOut, before);
        }
    }
    for (int32_t entered : now) {
        if (std::find(mouseInside_.begin(), mouseInside_.end(), entered) == mouseInside_.end()) {
            queue(event::MouseIn, entered);
        } else if (moved) {
            queue(event::MouseMove, entered);
        }
    }
    mouseInside_ = std::move(now);
    // While the mouse is over a tracked control, look now and then: the
    // message that it went elsewhere does not always come (another program's
    // window, a fast move off the window).
    if (handle() != nullptr) {
        if (mouseInside_.empty()) {
            KillTimer(handle(), MouseTimerId);
        } else {
            SetTimer(handle(), MouseTimerId, 100, nullptr);
        }
    }
}

} // namespace runtime::ui
