#include "runtime/ui/thread_reuse.h"

#include <windows.h>

#include <array>
#include <cstring>
#include <vector>

#include "runtime/expr/bindings.h"
#include "runtime/sys/errors.h"

namespace runtime::ui {
namespace {

// One tip after another is the common case, the next one often asked for
// while the last is still closing; more threads waiting would only hold
// resources.
constexpr size_t MostWaiting = 2;

// A waiting OS thread's place, on its own stack: the runtime thread it is
// handed arrives there.
struct Slot {
    CONDITION_VARIABLE handed = CONDITION_VARIABLE_INIT;
    DWORD osThread = GetCurrentThreadId();
    int32_t number = 0;
};

// The thread that waited last is handed the next runtime thread: its memory
// is the likeliest to be warm, and the others may go on sleeping. Made of the
// system's lock and plain values, it needs no destructor: threads may still
// wait on it while the process ends.
struct Waiting {
    SRWLOCK lock = SRWLOCK_INIT;
    std::array<Slot*, MostWaiting> idle{};
    size_t count = 0;
};
constinit Waiting waiting;

class Locked {
public:
    Locked() { AcquireSRWLockExclusive(&waiting.lock); }
    ~Locked() { ReleaseSRWLockExclusive(&waiting.lock); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
};

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
    Locked locked;
    if (waiting.count == 0) {
        return false;
    }
    Slot* slot = waiting.idle[--waiting.count];
    slot->number = number;
    WakeConditionVariable(&slot->handed);
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
    Locked locked;
    if (waiting.count == MostWaiting) {
        return 0;
    }
    Slot slot;
    waiting.idle[waiting.count++] = &slot;
    while (slot.number == 0) {
        SleepConditionVariableSRW(&slot.handed, &waiting.lock, INFINITE, 0);
    }
    return slot.number;
}

std::vector<DWORD> threadsWaitingForReuse() {
    Locked locked;
    std::vector<DWORD> threads;
    for (size_t i = 0; i < waiting.count; ++i) {
        threads.push_back(waiting.idle[i]->osThread);
    }
    return threads;
}

} // namespace runtime::ui
