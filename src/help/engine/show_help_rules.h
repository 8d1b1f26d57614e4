// The decisions rvSHOWHELP makes for a window, apart from the window calls
// that carry them out.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace help {

// rvSHOWHELP's option bits.
namespace show_help_option {
inline constexpr int32_t NoQuestionMark = 1; // neither the caption "?" nor the WM_HELP alert
inline constexpr int32_t MenuAndToolbar = 2; // alert the right button on controls -1 to -100 too
inline constexpr int32_t NoHoverTimer = 4;   // leave the window's timer alone
} // namespace show_help_option

inline constexpr std::string_view DefaultPopupText = "What's This";

// The no-tip list as the passes search it: "|" + list + "|", or "|" when no
// list is given (null).
std::string exclusionList(const char* noTipList);

// Whether the list names the control ("|" + number + "|" occurs in it).
bool isExcluded(std::string_view exclusions, int32_t control);

// The window timer that lets the watcher time a hover: five timer events per
// cue-card delay (hundredths of a second). 0 when no timer is to be set: no
// delay, the caller asked for none, or the window has a timer of its own.
int32_t hoverTimerFor(int32_t cueCardDelay, int32_t options, int32_t currentTimer);

// The caption "?" goes only to windows with neither a minimise nor a
// maximise box, since the system shows it in their place.
bool wantsQuestionMark(intptr_t style);

// The window-message hook version that delivers WM_HELP as an alert.
inline constexpr double RequiredHookVersion = 2.96;

// What to do about an older hook, which cannot alert WM_HELP.
struct HookTooOld {
    std::optional<std::string> message; // the box, shown once per process
    std::string trace;                  // the trace line, written every time
};

// nullopt when the hook is recent enough. The first call that finds it too
// old gets the message; later ones only the trace line.
std::optional<HookTooOld> checkHookVersion(double version);

inline constexpr std::string_view HookTooOldTitle = "Ruvo error";

} // namespace help
