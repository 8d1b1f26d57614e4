#include "help/engine/show_help_rules.h"

#include <algorithm>
#include <cstdio>

#include "help/engine/engine_state.h"

namespace help {

std::string exclusionList(const char* noTipList) {
    if (noTipList == nullptr) {
        return "|";
    }
    return "|" + std::string(noTipList) + "|";
}

bool isExcluded(std::string_view exclusions, int32_t control) {
    return exclusions.find("|" + std::to_string(control) + "|") != std::string_view::npos;
}

int32_t hoverTimerFor(int32_t cueCardDelay, int32_t options, int32_t currentTimer) {
    if (cueCardDelay <= 0 || (options & show_help_option::NoHoverTimer) != 0 || currentTimer != 0) {
        return 0;
    }
    // A delay below five hundredths would give no timer at all, and with it
    // no hover tips; the shortest timer still times them.
    return std::max(cueCardDelay / 5, 1);
}

bool wantsQuestionMark(intptr_t style) {
    constexpr intptr_t MinimiseAndMaximiseBoxes = 0x30000;
    return (style & MinimiseAndMaximiseBoxes) == 0;
}

std::optional<HookTooOld> checkHookVersion(double version) {
    if (version >= RequiredHookVersion) {
        return std::nullopt;
    }
    HookTooOld tooOld;
    tooOld.trace = "WM_HELP not alerted, requires Sorbin ver 2.96 or later";
    bool firstTime = false;
    changeEngineSettings([&firstTime](EngineSettings& settings) {
        firstTime = settings.versionMessageShown == 0;
        settings.versionMessageShown = 1;
    });
    if (firstTime) {
        char reported[32];
        std::snprintf(reported, sizeof reported, "%g", version);
        tooOld.message = std::string("Error, Ruvo question mark (?) support requires\r\n") +
                         "Sorbin ver 2.96 or later\r\n\n" + "Sorbin is reporting version " + reported;
    }
    return tooOld;
}

} // namespace help
