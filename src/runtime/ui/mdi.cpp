#include "runtime/ui/mdi.h"

#include <windows.h>

#include <map>
#include <mutex>
#include <vector>

#include "runtime/sys/events.h"
#include "runtime/ui/threads.h"

namespace runtime::ui::mdi {
namespace {

struct Registry {
    std::mutex mutex;
    HWND client = nullptr;
    std::map<HWND, int32_t> children;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

std::vector<int32_t> childThreads() {
    Registry& frame = registry();
    std::lock_guard lock(frame.mutex);
    std::vector<int32_t> threads;
    for (const auto& [child, thread] : frame.children) {
        threads.push_back(thread);
    }
    return threads;
}

} // namespace

HWND frameClient() {
    Registry& frame = registry();
    std::lock_guard lock(frame.mutex);
    return frame.client != nullptr && IsWindow(frame.client) ? frame.client : nullptr;
}

bool registerFrame(HWND client) {
    Registry& frame = registry();
    std::lock_guard lock(frame.mutex);
    if (frame.client != nullptr && IsWindow(frame.client)) {
        return false;
    }
    frame.client = client;
    return true;
}

void unregisterFrame(HWND client) {
    Registry& frame = registry();
    std::lock_guard lock(frame.mutex);
    if (frame.client == client) {
        frame.client = nullptr;
    }
}

void registerChild(HWND child, int32_t thread) {
    Registry& frame = registry();
    std::lock_guard lock(frame.mutex);
    frame.children[child] = thread;
}

void unregisterChild(HWND child) {
    Registry& frame = registry();
    std::lock_guard lock(frame.mutex);
    frame.children.erase(child);
}

size_t childCount() {
    Registry& frame = registry();
    std::lock_guard lock(frame.mutex);
    return frame.children.size();
}

bool closeChildren(std::chrono::milliseconds limit) {
    auto end = std::chrono::steady_clock::now() + limit;
    auto nextAsk = std::chrono::steady_clock::now();
    while (childCount() != 0) {
        auto now = std::chrono::steady_clock::now();
        if (now >= end) {
            return false;
        }
        // Asked again now and then: a thread whose current window is a modal
        // one closes that first, and its child window only on the next request.
        if (now >= nextAsk) {
            for (int32_t thread : childThreads()) {
                post(event::CloseWindow, 0, thread);
            }
            nextAsk = now + std::chrono::milliseconds(300);
        }
        // The children's threads send this thread messages while they close.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG message{};
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                break;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return true;
}

} // namespace runtime::ui::mdi
