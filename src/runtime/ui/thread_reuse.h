// OS threads kept to run later runtime threads.
//
// A thread's first top-level window costs the system far more than its later
// ones: under Wine each thread opens a display connection of its own, 20 to
// 30 ms of work shared with the display server, which a window started on a
// new thread (a tip, above all) keeps its user waiting for. So an OS thread
// whose runtime thread has ended cleanly waits to run the next one started,
// instead of ending.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace runtime::ui {

// Hands runtime thread `number` to an OS thread waiting for one; false when
// none waits.
bool handToWaitingThread(int32_t number);

// For an OS thread whose runtime thread has ended: true when it may run
// another one, having shed what the ended one left behind (its error, its
// messages, a quit asked for). It may not while a window of its own is still
// there: ending the thread is what takes such a window away.
bool fitForAnotherThread();

// Waits until a runtime thread is handed over and returns its number; 0 at
// once when enough OS threads wait already, and the caller should end.
int32_t waitForNextThread();

// The OS threads waiting to be handed a runtime thread; the last one is
// handed the next.
std::vector<DWORD> threadsWaitingForReuse();

} // namespace runtime::ui
