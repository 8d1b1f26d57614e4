// RVWATCH: looks at each event of a window for one of the three ways of
// asking for help on a control (the caption "?" followed by a click, the
// right-click popup, resting the mouse on it) and names the control.
// RVCLOSE: lets go of the window when it closes.
#include <string>
#include <string_view>

#include "help/engine/engine_state.h"
#include "help/engine/exports.h"
#include "help/engine/switches.h"
#include "help/watcher/hover.h"
#include "msghook/hook.h"
#include "msghook/types.h"
#include "runtime/sys/clock.h"
#include "runtime/sys/command_line.h"
#include "runtime/sys/events.h"
#include "runtime/sys/interaction.h"
#include "runtime/ui/threads.h"
#include "runtime/ui/window.h"

namespace {

using runtime::ui::Prop;
using runtime::ui::Window;

void clearCandidateTooltipOnce() {
    help::changeHoverState([](help::HoverState& hover) {
        if (!hover.candidateTooltipCleared) {
            hover.candidateTooltip.clear();
            hover.candidateTooltipCleared = true;
        }
    });
}

int32_t askedFor(int32_t control, uint8_t hover) {
    help::changeHandOver([control, hover](help::HandOver& h) {
        h.helpField = control;
        h.hoverFlag = hover;
    });
    return control;
}

int32_t nothingAsked() {
    help::changeHandOver([](help::HandOver& h) { h.helpField = 0; });
    return 0;
}

// The control whose window WM_HELP was about; 0 when the window lists none.
int32_t controlWithHandle(const Window& window, msghook::Handle item) {
    if (item == nullptr) {
        return 0; // a control without a window of its own must not match it
    }
    auto wanted = static_cast<int64_t>(reinterpret_cast<intptr_t>(item));
    for (int32_t control : window.fields()) {
        if (window.get(control, Prop::Handle).number() == wanted) {
            return control;
        }
    }
    return 0;
}

int32_t answerRightClick(Window& window, const char* popupText) {
    int32_t control = window.eventControl();
    if (runtime::hasSwitch(help::switches::ShowHelpDebug)) {
        runtime::stop("field= " + std::to_string(control));
    }
    std::string text = popupText != nullptr ? std::string(popupText)
                                            : std::string(help::engineSettings().popupText.clipped());
    int32_t choice = runtime::interaction().popupMenu(text, std::nullopt);
    window.clearKeyCode();
    if (choice == 1) {
        return askedFor(control, 0);
    }
    return choice == 0 ? nothingAsked() : -choice;
}

// A tip window counts as open from its start until its thread ends, so a
// hover tip that is still opening is not forgotten.
bool tipWindowOpen(const help::HandOver& now) {
    return now.tipWindowOpen != 0 || runtime::ui::threadExists(now.tipWindowThread);
}

int32_t watchHover(const Window& window) {
    help::HandOver now = help::handOver();
    help::EngineSettings settings = help::engineSettings();
    help::HoverEvent input;
    input.event = window.event();
    input.tipWindowOpen = tipWindowOpen(now);
    input.underMouse = window.controlUnderMouse();
    std::string tooltip;
    if (input.underMouse != 0) {
        tooltip = window.get(input.underMouse, Prop::Tooltip).text();
        input.category = runtime::kind::cueCardCategory(window.get(input.underMouse, Prop::Type).number32());
    }
    input.tooltip = tooltip;
    input.now = runtime::clock();
    input.mode = settings.cueCardMode;
    input.delay = settings.cueCardDelay;

    help::HoverOutcome outcome = help::HoverOutcome::Nothing;
    help::changeHoverState([&](help::HoverState& hover) { outcome = help::decideHover(input, hover); });
    switch (outcome) {
    case help::HoverOutcome::ShowTip:
        return askedFor(input.underMouse, 1);
    case help::HoverOutcome::CloseTip:
        // To the runtime, thread 0 is the calling thread: the watched window
        // itself would close.
        if (now.tipWindowThread != 0) {
            runtime::ui::post(runtime::event::CloseWindow, 0, now.tipWindowThread);
        }
        help::changeHandOver([](help::HandOver& h) { h.hoverFlag = 0; });
        break;
    case help::HoverOutcome::Waiting:
        if (runtime::hasSwitch(help::switches::CueCardDebug)) {
            runtime::stop("options = " + std::to_string(input.mode) + " ok = " + std::to_string(input.category) +
                          " delay = " + std::to_string(input.delay));
        }
        break;
    case help::HoverOutcome::Nothing:
        break;
    }
    return nothingAsked();
}

} // namespace

extern "C" {

int32_t RVWATCH(const char* popupText) {
    Window* window = runtime::ui::currentWindow();
    if (window == nullptr) {
        return 0;
    }
    clearCandidateTooltipOnce();
    if (window->event() == runtime::event::Alert && msghook::WinLastMessage() == msghook::wm::Help) {
        if (int32_t control = controlWithHandle(*window, msghook::WinHelpItemHandle())) {
            return askedFor(control, 0);
        }
        msghook::WinDebug("RvWatch error : Control not found");
    }
    if (window->event() == runtime::event::AlertKey && window->keyCode() == runtime::key::MouseRight) {
        return answerRightClick(*window, popupText);
    }
    return watchHover(*window);
}

void RVCLOSE() {
    msghook::WinAlert();
    msghook::WinDebug("rvClose calling WinAlert()");
}

} // extern "C"
