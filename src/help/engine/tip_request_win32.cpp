// Tip requests: rvCallHelpTipEx records what is asked for and where, then
// runs the tip window on a thread of its own (or on the caller's thread for
// the development environment's help, and when no thread can be started);
// rvIdeHelp is the development environment's way in.
#include <string>
#include <string_view>

#include "help/engine/anchor.h"
#include "help/engine/engine_state.h"
#include "help/engine/exports.h"
#include "help/engine/ide_help.h"
#include "help/engine/switches.h"
#include "help/engine/tip_launcher.h"
#include "help/store/store_state.h"
#include "runtime/sys/command_line.h"
#include "runtime/sys/interaction.h"
#include "runtime/text/strings.h"
#include "runtime/ui/threads.h"
#include "runtime/ui/window.h"

namespace {

using runtime::ui::Prop;
using runtime::ui::Window;

std::string_view textOf(const char* text) {
    return text == nullptr ? std::string_view() : std::string_view(text);
}

int32_t property(const Window& window, int32_t control, Prop prop) {
    return window.get(control, prop).number32();
}

// The bottom edge of the window's lowest control.
int32_t lowestBottom(const Window& window) {
    int32_t lowest = 0;
    for (int32_t control : window.fields()) {
        int32_t bottom = property(window, control, Prop::Y) + property(window, control, Prop::Height);
        lowest = std::max(lowest, bottom);
    }
    return lowest;
}

// Anchors the tip at the control it is for, measured in pixels.
void anchorAt(Window& window, int32_t control) {
    help::HandOver now = help::handOver();
    int32_t target = control != 0 ? control : now.helpField;
    if (target == 0) {
        return; // nothing to anchor at: the previous anchor stays
    }
    bool unitsWereDialog = !window.pixelUnits();
    window.setPixelUnits(true);
    runtime::ui::Rect place = window.position();
    int32_t x = property(window, target, Prop::X);
    int32_t y = property(window, target, Prop::Y);
    bool positional = control != 0 && property(window, control, Prop::Positional) == 1;
    help::Anchor anchor = positional ? help::Anchor{x, y - lowestBottom(window)}
                                     : help::Anchor{x + place.x, y + place.y};
    if (unitsWereDialog) {
        window.setPixelUnits(false);
    }
    anchor = help::clampAnchor(anchor);
    help::changeHandOver([anchor, positional](help::HandOver& h) {
        h.anchorX = anchor.x;
        h.anchorY = anchor.y;
        if (!positional) {
            h.helpField = 0;
        }
    });
}

void runHere(const help::TipLauncher& launcher) {
    help::changeHandOver([](help::HandOver& h) { h.tipWindowThread = 0; });
    launcher.runTipWindow();
}

} // namespace

extern "C" {

int32_t rvCallHelpTipEx(const char* tipFile, const char* procedure, const char* control,
                        const char* controlType, int32_t controlNumber) {
    help::setTipFileName(textOf(tipFile));
    help::setCurrentTip(textOf(procedure), textOf(control), textOf(controlType));
    if (Window* window = runtime::ui::currentWindow()) {
        anchorAt(*window, controlNumber);
    }

    help::TipLauncher launcher = help::tipLauncher();
    if (runtime::text::equalPadded(textOf(controlType), help::IdeControlType)) {
        help::changeHandOver([](help::HandOver& h) { h.callingThread = 0; });
        runHere(launcher);
        return 0;
    }
    int32_t caller = runtime::ui::currentThread();
    help::changeHandOver([caller](help::HandOver& h) { h.callingThread = caller; });
    int32_t started = launcher.startThread(launcher.runTipWindow);
    help::changeHandOver([started](help::HandOver& h) { h.tipWindowThread = started; });
    if (runtime::hasSwitch(help::switches::StartTrace)) {
        runtime::stop("Start returned : " + std::to_string(started));
    }
    if (started == 0) {
        runHere(launcher);
    }
    return started;
}

void rvCALLHELPTIP(const char* tipFile, const char* procedure, const char* control, const char* controlType) {
    rvCallHelpTipEx(tipFile, procedure, control, controlType, 0);
}

void rvIdeHelp(const char* request) {
    std::optional<help::IdeHelpRequest> ide = help::ideHelpRequest(help::ideRoot(), textOf(request));
    if (!ide) {
        return;
    }
    help::changeEngineSettings([&ide](help::EngineSettings& s) { s.documentationBase = ide->documentationBase; });
    rvSetNoHelpForThisTopic(ide->noHelpText.c_str());
    std::string tipFile = ide->tipFolder + ide->tipFile;
    rvCALLHELPTIP(tipFile.c_str(), "", ide->control.c_str(), std::string(help::IdeControlType).c_str());
}

} // extern "C"
