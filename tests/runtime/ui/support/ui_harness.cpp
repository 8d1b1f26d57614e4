#include "support/ui_harness.h"

#include <windows.h>

#include <cctype>
#include <cstdlib>
#include <thread>

#include "runtime/sys/events.h"
#include "runtime/ui/real_input.h"
#include "runtime/ui/threads.h"

namespace uitest {

using runtime::ui::Window;
using runtime::ui::WindowDefinition;

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

WindowThread::WindowThread(WindowDefinition definition, Handler handler) {
    thread_ = runtime::ui::start([this, definition = std::move(definition), handler = std::move(handler)] {
        Window window(definition);
        {
            std::lock_guard lock(mutex_);
            window_ = &window;
            opened_ = true;
        }
        changed_.notify_all();
        while (window.accept()) {
            {
                std::lock_guard lock(mutex_);
                seen_.push_back(
                    {window.event(), window.eventControl(), window.keyCode(), window.acceptingAll()});
            }
            changed_.notify_all();
            if (handler) {
                handler(window);
            }
        }
        std::lock_guard lock(mutex_);
        window_ = nullptr;
        finished_ = true;
        changed_.notify_all();
    });
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, 10s, [this] { return opened_; });
}

WindowThread::~WindowThread() {
    if (!finished()) {
        runtime::ui::post(runtime::event::CloseWindow, 0, thread_);
    }
    if (!waitFinished(10s)) {
        std::abort(); // a window that cannot be closed would hang every later test
    }
    runtime::ui::waitForThread(thread_, 10s);
}

bool WindowThread::finished() const {
    std::lock_guard lock(mutex_);
    return finished_;
}

bool WindowThread::waitFinished(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [this] { return finished_; });
}

std::vector<Seen> WindowThread::events() const {
    std::lock_guard lock(mutex_);
    return seen_;
}

void WindowThread::clearEvents() {
    std::lock_guard lock(mutex_);
    seen_.clear();
}

int WindowThread::count(int32_t event, int32_t control) const {
    std::lock_guard lock(mutex_);
    int found = 0;
    for (const Seen& each : seen_) {
        if (each.event == event && (control == -1 || each.control == control)) {
            ++found;
        }
    }
    return found;
}

bool WindowThread::waitFor(int32_t event, int32_t control, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] {
        for (const Seen& each : seen_) {
            if (each.event == event && (control == -1 || each.control == control)) {
                return true;
            }
        }
        return false;
    });
}

void WindowThread::runWork(std::function<void()> work) {
    runtime::ui::postWork(thread_, std::move(work));
}

HWND WindowThread::handle() {
    return run([](Window& window) { return window.handle(); });
}

HWND WindowThread::controlHandle(int32_t control) {
    return run([control](Window& window) {
        return reinterpret_cast<HWND>(
            static_cast<intptr_t>(window.get(control, runtime::ui::Prop::Handle).number()));
    });
}

POINT WindowThread::centreOf(int32_t control) {
    HWND window = controlHandle(control);
    RECT area{};
    GetWindowRect(window, &area);
    return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
}

namespace {

void keyEvent(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

} // namespace

bool pointerAt(POINT screen) {
    POINT at{};
    GetCursorPos(&at);
    return std::abs(at.x - screen.x) <= 1 && std::abs(at.y - screen.y) <= 1;
}

void moveMouse(POINT screen) {
    // The system moves the pointer a moment later, and a late report of an
    // earlier move can put it back: move until it stays.
    for (int attempt = 0; attempt < 5; ++attempt) {
        runtime::ui::sendMouse(screen);
        waitUntil([&] { return pointerAt(screen); }, 2s);
        std::this_thread::sleep_for(40ms);
        if (pointerAt(screen)) {
            return;
        }
    }
}

// Two clicks in a row would make a double click; a single click waits until it cannot.
void waitOutDoubleClick() {
    static std::chrono::steady_clock::time_point lastClick;
    auto quiet = lastClick + std::chrono::milliseconds(GetDoubleClickTime() + 50);
    std::this_thread::sleep_until(quiet);
    lastClick = std::chrono::steady_clock::now();
}

void click(POINT screen, bool right) {
    waitOutDoubleClick();
    moveMouse(screen);
    runtime::ui::sendMouse(screen, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    std::this_thread::sleep_for(20ms);
    runtime::ui::sendMouse(screen, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
    std::this_thread::sleep_for(30ms);
}

void doubleClick(POINT screen) {
    waitOutDoubleClick();
    moveMouse(screen);
    for (int i = 0; i < 2; ++i) {
        runtime::ui::sendMouse(screen, MOUSEEVENTF_LEFTDOWN);
        runtime::ui::sendMouse(screen, MOUSEEVENTF_LEFTUP);
    }
    std::this_thread::sleep_for(30ms);
}

void pressKey(WORD virtualKey, bool shift, bool ctrl, bool alt) {
    if (shift) {
        keyEvent(VK_SHIFT, false);
    }
    if (ctrl) {
        keyEvent(VK_CONTROL, false);
    }
    if (alt) {
        keyEvent(VK_MENU, false);
    }
    keyEvent(virtualKey, false);
    keyEvent(virtualKey, true);
    if (alt) {
        keyEvent(VK_MENU, true);
    }
    if (ctrl) {
        keyEvent(VK_CONTROL, true);
    }
    if (shift) {
        keyEvent(VK_SHIFT, true);
    }
    std::this_thread::sleep_for(30ms);
}

void typeText(const char* text) {
    for (const char* c = text; *c != '\0'; ++c) {
        SHORT key = VkKeyScanA(*c);
        pressKey(static_cast<WORD>(key & 0xFF), (key & 0x100) != 0);
    }
}

} // namespace uitest
