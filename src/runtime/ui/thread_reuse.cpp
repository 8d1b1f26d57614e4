#include "runtime/ui/thread_reuse.h"

#include <windows.h>

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <new>
#include <vector>

#include "runtime/expr/bindings.h"
#include "runtime/sys/errors.h"

namespace runtime::ui {
namespace {

// One tip after another is the common case, the next one often asked for
// while the last is still closing; more threads waiting would only hold
// resources.
constexpr int MostWaiting = 2;

// A waiting OS thread's place, on its own stack: the runtime thread it is
// handed arrives there.
struct Slot {
    std::condition_variable handed;
    DWORD osThread = GetCurrentThreadId();
    int32_t number = 0;
};

// The thread that waited last is handed the next runtime thread: its memory
// is the likeliest to be warm, and the others may go on sleeping.
struct Waiting {
    std::mutex mutex;
    std::vector<Slot*> idle;
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
    std::lock_guard lock(w.mutex);
    if (w.idle.empty()) {
        return false;
    }
    Slot* slot = w.idle.back();
    w.idle.pop_back();
    slot->number = number;
    slot->handed.notify_one();
    return true;
}

bool fitForAnotherThread() {
    bool windowLeft = false;
    EnumThreadWindows(GetCurrentThreadId(), findOwnWindow, reinterpret_cast<LPARAM>(&windowLeft));
    // Names left bound point into the ended thread's buffers; they go with the thread.
    if (windowLeft || expr::scopeDepth() != 0) {
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
    if (static_cast<int>(w.idle.size()) >= MostWaiting) {
        return 0;
    }
    Slot slot;
    w.idle.push_back(&slot);
    slot.handed.wait(lock, [&slot] { return slot.number != 0; });
    return slot.number;
}

std::vector<DWORD> threadsWaitingForReuse() {
    Waiting& w = waiting();
    std::lock_guard lock(w.mutex);
    std::vector<DWORD> threads;
    for (const Slot* slot : w.idle) {
        threads.push_back(slot->osThread);
    }
    return threads;
}

} // namespace runtime::ui
