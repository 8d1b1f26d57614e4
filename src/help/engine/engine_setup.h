// Connects the help engine to the program's windows and threads. A program
// that links the engine calls it once at start-up, before its first window
// opens; tests call it too.
#pragma once

#include <cstdint>

namespace help {

// The event a tip window posts to the thread that asked for a tip after the
// user saved a tip that did not exist before.
inline constexpr int32_t TipAddedEvent = 402;

// The window-message hook speaks to the runtime's windows and threads, and
// a newly added tip is announced to the thread that asked for it.
void installHelpEngine();

} // namespace help
