#include "runtime/ui/thread_reuse.h"

#include <windows.h>

#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <new>

#include "runtime/sys/errors.h"

namespace runtime::ui {
namespace {

// One tip after another is the common case, the next one often asked for
// while the last is still closing; more threads waiting would only hold
// resources.
constexpr int MostWaiting = 2;

struct Waiting {
    std::mutex mutex;
    std::condition_variable handed;
    int idle = 0; // waiting and not yet handed a runtime thread
    std::deque<int32_t> numbers;
};

// Never destroyed: a thread may still wait on it while the process ends.
Waiting& waiting() {
    alignas(Waiting) static unsigned char storage[sizeof(Waiting)];
    static Waiting* instance = new (storage) Waiting();
    return *instance;
}

// The system's own per-thread input method windows do not count.
BOOL CALLBACK findOwnWindow(HWND window, LPARAM found) {
    char kind[16]{};
    GetClassNameA(window, kind, sizeof kind);
    if (std::strcmp(kind, "IME") == 0 || std::strcmp(kind, "MSCTFIME UI") == 0) {
        return TRUE;
    }
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

} // namespace

bool handToWaitingThread(int32_t number) {
    Waiting& w = waiting();
    {
        std::lock_guard lock(w.mutex);
        if (w.idle == 0) {
            return false;
        }
        --w.idle;
        w.numbers.push_back(number);
    }
    w.handed.notify_one();
    return true;
}

bool fitForAnotherThread() {
    bool windowLeft = false;
    EnumThreadWindows(GetCurrentThreadId(), findOwnWindow, reinterpret_cast<LPARAM>(&windowLeft));
    if (windowLeft) {
        return false;
    }
    // What the ended thread left unread (a quit among it) was for that thread.
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    clearError();
    return true;
}

int32_t waitForNextThread() {
    Waiting& w = waiting();
    std::unique_lock lock(w.mutex);
    if (w.idle + static_cast<int>(w.numbers.size()) >= MostWaiting) {
        return 0;
    }
    ++w.idle;
    w.handed.wait(lock, [&w] { return !w.numbers.empty(); });
    int32_t number = w.numbers.front();
    w.numbers.pop_front();
    return number;
}

int threadsWaitingForReuse() {
    Waiting& w = waiting();
    std::lock_guard lock(w.mutex);
    return w.idle;
}

} // namespace runtime::ui
