// The help engine's process-wide settings and hand-over state: what the
// exported setters configure, what a tip request hands to the tip window, and
// what the control watcher keeps between events. (The tip-file name, the
// current tip key and the no-help text belong to the tip store:
// help/store/store_state.h.)
//
// One mutex guards it all. Readers take a consistent copy; writers change it
// through a function that runs under the lock. Requests in quick succession
// still overwrite each other, as they always did: a tip window copies what it
// needs when it starts.
#pragma once

#include <cstdint>
#include <functional>

#include "runtime/text/fields.h"

namespace help {

using runtime::text::Fixed;

// Edit permission values.
namespace edit_permission {
inline constexpr uint8_t Allowed = 0;
inline constexpr uint8_t WithSwitch = 1; // only with "/EditTips" on the command line
inline constexpr uint8_t Never = 2;
} // namespace edit_permission

// The tip colour that 0 stands for: RGB(254, 255, 236).
inline constexpr int32_t DefaultTipColour = 0xECFFFE;

struct EngineSettings {
    Fixed<100> popupText;
    Fixed<80> caption;
    uint8_t editPermission = 0;
    uint8_t variableWidth = 0;
    int32_t tipColour = 0;
    uint8_t stayOpen = 0;
    int32_t fixedX = -1;
    int32_t fixedY = -1;
    int32_t fixedWidth = -1;
    int32_t cueCardMode = 0;
    int32_t cueCardDelay = 0; // hundredths of a second
    Fixed<255> documentationBase;
    uint8_t versionMessageShown = 0;
};

// What a tip request hands to the tip window, and the tip window back.
struct HandOver {
    int32_t anchorX = 0; // pixels
    int32_t anchorY = 0;
    int32_t helpField = 0;       // the control of the current help request
    int32_t callingThread = 0;   // where the tip window posts its notifications
    int32_t tipWindowThread = 0; // 0 when the tip window runs on the caller's thread
    uint8_t hoverFlag = 0;       // the request came from hovering
    uint8_t tipWindowOpen = 0;
};

// The control watcher's memory of the mouse, between events.
struct HoverState {
    int32_t hoverTipControl = 0; // control whose hover tip is showing
    int32_t candidateControl = 0;
    Fixed<255> candidateTooltip;
    int32_t candidateTime = 0; // hundredths of a second since midnight
    int32_t lastHoverControl = 0;
    bool candidateTooltipCleared = false; // the once-per-process clearing happened
};

EngineSettings engineSettings();
void changeEngineSettings(const std::function<void(EngineSettings&)>& change);

HandOver handOver();
void changeHandOver(const std::function<void(HandOver&)>& change);

HoverState hoverState();
void changeHoverState(const std::function<void(HoverState&)>& change);

// Everything back to its start values; for tests.
void resetEngineState();

} // namespace help
