// Hover ("cue card") tips: the decision the watcher makes on each event
// about the control under the mouse, apart from the window calls that gather
// what it needs and carry out what it decides.
//
// A control's tip shows when the mouse has rested on it, with its tooltip
// unchanged and no tip window open, for longer than the cue-card delay,
// measured on the window's timer events. It is shown once: the same control
// gets its hover tip again only after another control's hover tip was shown.
// A hover tip closes when the mouse moves onto another control or the window
// closes.
#pragma once

#include <cstdint>
#include <string_view>

#include "help/engine/engine_state.h"

namespace help {

struct HoverEvent {
    int32_t event = 0;
    // A tip window is open (or still starting): no hover timing meanwhile.
    bool tipWindowOpen = false;
    int32_t underMouse = 0;       // control under the mouse, 0 for none
    std::string_view tooltip;     // its tooltip text
    int32_t category = 0;         // its cue-card category bit, 0 for none
    int32_t now = 0;              // hundredths of a second since midnight
    int32_t mode = 0;             // cue-card mode: the categories that get hover tips
    int32_t delay = 0;            // cue-card delay, hundredths of a second
};

enum class HoverOutcome {
    Nothing,
    CloseTip, // the hover tip showing must close
    ShowTip,  // the control under the mouse gets its hover tip
    Waiting,  // a timer event that did not show a tip
};

// Updates the hover state for one event and says what follows from it.
HoverOutcome decideHover(const HoverEvent& input, HoverState& state);

} // namespace help
