// rvSHOWHELP: makes a window's controls answer the three ways of asking for
// help. Right clicks are alerted on the controls, the window's timer is armed
// so the watcher can time a hover, and the caption gets the "?" button with
// WM_HELP alerted through the window-message hook.
#include <windows.h>

#include <string>

#include "help/engine/engine_state.h"
#include "help/engine/exports.h"
#include "help/engine/show_help_rules.h"
#include "help/engine/switches.h"
#include "msghook/actions.h"
#include "msghook/hook.h"
#include "msghook/types.h"
#include "runtime/sys/command_line.h"
#include "runtime/sys/events.h"
#include "runtime/sys/interaction.h"
#include "runtime/text/strings.h"
#include "runtime/ui/caption_help.h"
#include "runtime/ui/window.h"

namespace {

using runtime::ui::Prop;
using runtime::ui::Window;

void debugBox(const std::string& text) {
    if (runtime::hasSwitch(help::switches::ShowHelpDebug)) {
        runtime::stop(text);
    }
}

bool isTab(const Window& window, int32_t control) {
    return window.get(control, Prop::Type).number32() == runtime::kind::Tab;
}

// Every control the window lists, wherever its number lies (toolbar controls
// too), gets the right button unless the no-tip list names it.
void alertListedControls(Window& window, const std::string& exclusions) {
    for (int32_t control = window.nextField(0); control != 0; control = window.nextField(control)) {
        if (isTab(window, control)) {
            continue;
        }
        debugBox("a = " + std::to_string(control) + " nt = " + exclusions);
        if (!help::isExcluded(exclusions, control)) {
            window.alertKey(control, runtime::key::MouseRight);
        } else {
            debugBox("ignoring = " + std::to_string(control) + " nt = " + exclusions);
        }
    }
}

void alertFieldRange(Window& window, const std::string& exclusions) {
    for (int32_t control = window.firstField(); control <= window.lastField(); ++control) {
        if (help::isExcluded(exclusions, control) || isTab(window, control)) {
            debugBox("ignoring = " + std::to_string(control) + " nt = " + exclusions);
            continue;
        }
        window.alertKey(control, runtime::key::MouseRight);
    }
}

void alertMenuAndToolbar(Window& window) {
    constexpr int32_t LowestMenuControl = -100;
    for (int32_t control = -1; control >= LowestMenuControl; --control) {
        window.alertKey(control, runtime::key::MouseRight);
    }
}

void addQuestionMark(Window& window) {
    HWND frame = window.handle();
    LONG_PTR style = GetWindowLongPtrA(frame, GWL_STYLE);
    if (!help::wantsQuestionMark(style)) {
        return;
    }
    LONG_PTR exStyle = GetWindowLongPtrA(frame, GWL_EXSTYLE);
    if ((exStyle & WS_EX_CONTEXTHELP) == 0) {
        SetWindowLongPtrA(frame, GWL_EXSTYLE, exStyle | WS_EX_CONTEXTHELP);
        // The caption is drawn anew only when told that the frame changed.
        SetWindowPos(frame, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    runtime::ui::supplyCaptionHelp(window);
}

void alertHelpMessage() {
    std::optional<help::HookTooOld> tooOld = help::checkHookVersion(msghook::WinVersion());
    if (!tooOld) {
        // The hook answers WM_HELP itself: the window's own procedure would
        // hand it on to the system's help.
        msghook::WinAlert(msghook::wm::Help, msghook::wm::Help,
                          msghook::action::PostAlert | msghook::action::ReturnTrue);
        return;
    }
    if (tooOld->message) {
        runtime::message(*tooOld->message, help::HookTooOldTitle, runtime::Icon::Information);
    }
    msghook::WinDebug(tooOld->trace);
}

} // namespace

extern "C" void rvSHOWHELP(const char* noTipList, int32_t options) {
    Window* window = runtime::ui::currentWindow();
    if (window == nullptr) {
        return;
    }
    std::string exclusions = help::exclusionList(noTipList);
    debugBox("Firstfield = " + std::to_string(window->firstField()) + " Lastfield = " +
             std::to_string(window->lastField()) + " nt = " + std::string(runtime::text::trim(exclusions)));
    alertListedControls(*window, exclusions);
    alertFieldRange(*window, exclusions);
    if ((options & help::show_help_option::MenuAndToolbar) != 0) {
        alertMenuAndToolbar(*window);
    }

    help::EngineSettings settings = help::engineSettings();
    if (settings.popupText.blank()) {
        help::changeEngineSettings([](help::EngineSettings& s) {
            if (s.popupText.blank()) {
                s.popupText = help::DefaultPopupText;
            }
        });
    }
    if (int32_t timer = help::hoverTimerFor(settings.cueCardDelay, options, window->timer())) {
        window->setTimer(timer);
    }
    if ((options & help::show_help_option::NoQuestionMark) == 0) {
        addQuestionMark(*window);
        alertHelpMessage();
    }
}
