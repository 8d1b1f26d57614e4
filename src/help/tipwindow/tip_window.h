// The tip window: the pop-up that shows one tip next to the control it is for.
//
// A tip request (rvCallHelpTipEx) stores the tip's key in the tip store's
// state (help/store/store_state.h) and the anchor, the hover flag and the
// threads in the engine's hand-over (help/engine/engine_state.h), then calls
// runTipWindow on a new runtime thread, or on its own thread for the
// development environment's help and when no thread could be started.
#pragma once

#include <functional>

#include "help/store/tip_record.h"

namespace runtime::ui {
class Window;
}

namespace help {

// Opens the tip window for the current key, next to the anchor, and runs its
// event loop; returns when the window has closed. The window reads the
// request when it starts, so a later request does not disturb it. It counts
// as running on a thread of its own (and so closes when it loses the focus)
// when the hand-over's calling thread is set and is not the calling thread.
void runTipWindow();

// Followers of tip windows (the tour, timing, window tests): `shown` is
// called on the tip window's thread each time a tip has been built, placed
// and made visible, with the window and the key of the tip it shows;
// `closed` when a tip window has closed. Either may be empty.
struct TipWindowListener {
    std::function<void(runtime::ui::Window&, const TipKey&)> shown;
    std::function<void()> closed;
};
void setTipWindowListener(TipWindowListener listener);
TipWindowListener tipWindowListener();

} // namespace help
