// Runtime threads and their event queues.
//
// A runtime thread is an OS thread with a number: 1 for the first thread that
// uses the runtime (normally the program's main thread), then 2, 3, ... in the
// order threads are started or first use the runtime; 0 means "none". Each
// thread has its own queue of posted events, which the event loop of the
// thread's current window delivers before any window input. Posting appends to
// the queue and wakes the thread's message loop, also while it is blocked
// waiting for input. Threads signal each other only through this queue.
// The OS thread under a started runtime thread may have run one that ended
// before it (thread_reuse.h); nothing of that one is left for the new one.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

namespace runtime::ui {

// Runs `procedure` on a new runtime thread and returns its number, or 0 when no
// thread could be started. The stack is at least `MinimumStack` bytes whatever
// is asked for: window code calls deep into the system (dialogs, common
// controls) and a few kilobytes would overflow.
inline constexpr size_t MinimumStack = 1024 * 1024;
int32_t start(std::function<void()> procedure, size_t stackSize = 0);

// The calling thread's number; a thread that had none is numbered now.
int32_t currentThread();

// True while the thread with this number exists.
bool threadExists(int32_t thread);

// Waits until the thread has ended; true when it has (or never existed).
bool waitForThread(int32_t thread, std::chrono::milliseconds timeout);

// Appends an event (for a control of the thread's current window, or 0) to the
// queue of `thread` (0: the calling thread) and wakes it. False when there is
// no such thread.
bool post(int32_t event, int32_t control = 0, int32_t thread = 0);

// Runs `work` on the given thread the next time it processes its messages,
// even inside a modal box or menu. False when there is no such thread.
bool postWork(int32_t thread, std::function<void()> work);

struct PostedEvent {
    int32_t event = 0;
    int32_t control = 0;
};

// The oldest event posted to the calling thread, removed from its queue.
std::optional<PostedEvent> takePosted();
// True when events are waiting in the calling thread's queue.
bool hasPosted();

} // namespace runtime::ui
