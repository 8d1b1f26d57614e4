// The tip window: the pop-up that shows one tip next to the control it is for.
//
// A tip request (rvCallHelpTipEx) stores the tip's key in the tip store's
// state (help/store/store_state.h) and the anchor, the hover flag and the
// threads in the engine's hand-over (help/engine/engine_state.h), then calls
// runTipWindow on a new runtime thread, or on its own thread for the
// development environment's help and when no thread could be started.
#pragma once

namespace help {

// Opens the tip window for the current key, next to the anchor, and runs its
// event loop; returns when the window has closed. The window reads the
// request when it starts, so a later request does not disturb it. It counts
// as running on a thread of its own (and so closes when it loses the focus)
// when the hand-over's calling thread is set and is not the calling thread.
void runTipWindow();

} // namespace help
