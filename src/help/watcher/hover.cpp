#include "help/watcher/hover.h"

#include "runtime/sys/events.h"

namespace help {

HoverOutcome decideHover(const HoverEvent& input, HoverState& state) {
    if (!input.tipWindowOpen) {
        state.hoverTipControl = 0;
    }
    const int32_t m = input.underMouse;
    if (state.hoverTipControl != 0) {
        bool movedToAnother = m != 0 && m != state.hoverTipControl;
        if (!movedToAnother && input.event != runtime::event::CloseWindow) {
            return HoverOutcome::Nothing;
        }
        state.hoverTipControl = 0;
        state.candidateControl = 0;
        state.candidateTooltip.clear();
        return HoverOutcome::CloseTip;
    }
    // Compared as kept: a tooltip longer than the candidate tooltip holds
    // would otherwise never equal it, and its control would never get a tip.
    const decltype(state.candidateTooltip) tooltip(input.tooltip);
    if (m != state.candidateControl || !(state.candidateTooltip == tooltip) || input.tipWindowOpen ||
        m == state.lastHoverControl) {
        state.candidateControl = m;
        state.candidateTooltip = tooltip;
        state.candidateTime = input.now;
        return HoverOutcome::Nothing;
    }
    if (input.event != runtime::event::Timer) {
        return HoverOutcome::Nothing;
    }
    if ((input.mode & input.category) != 0 && input.delay > 0) {
        if (input.now < state.candidateTime) {
            state.candidateTime = input.now; // the clock passed midnight
        }
        if (input.now - state.candidateTime > input.delay) {
            state.hoverTipControl = m;
            state.lastHoverControl = m;
            return HoverOutcome::ShowTip;
        }
    }
    return HoverOutcome::Waiting;
}

} // namespace help
