// The setters that configure the engine for the whole process, once at
// start-up. Three of them can show what they are given, to find out which
// part of a program changes them.
#include <string>
#include <string_view>

#include "help/engine/engine_state.h"
#include "help/engine/exports.h"
#include "help/engine/switches.h"
#include "help/store/store_state.h"
#include "runtime/sys/command_line.h"
#include "runtime/sys/interaction.h"

namespace {

std::string_view textOf(const char* text) {
    return text == nullptr ? std::string_view() : std::string_view(text);
}

void traceSetter(std::string_view what, int32_t value) {
    if (runtime::hasSwitch(help::switches::SetterTrace)) {
        runtime::stop(std::string(what) + std::to_string(value));
    }
}

} // namespace

extern "C" {

void rvSetPopUp(const char* text) {
    help::changeEngineSettings([text](help::EngineSettings& s) { s.popupText = textOf(text); });
}

void rvSetCaption(const char* text) {
    help::changeEngineSettings([text](help::EngineSettings& s) { s.caption = textOf(text); });
}

void rvSetNoHelpForThisTopic(const char* text) {
    help::setNoHelpText(textOf(text));
}

void rvSetEdit(uint8_t permission) {
    traceSetter(" Set Edit : ", permission);
    help::changeEngineSettings([permission](help::EngineSettings& s) { s.editPermission = permission; });
}

void rvSetVariableWidth(uint8_t flag) {
    traceSetter(" Set Variable Width : ", flag);
    help::changeEngineSettings([flag](help::EngineSettings& s) { s.variableWidth = flag; });
}

void rvSetColor(int32_t colour) {
    help::changeEngineSettings([colour](help::EngineSettings& s) { s.tipColour = colour; });
}

void rvStayOpen(uint8_t flag) {
    traceSetter(" Stay Open : ", flag);
    help::changeEngineSettings([flag](help::EngineSettings& s) { s.stayOpen = flag; });
}

void rvSetToolbox() {}

void rvSetCueCards(int32_t delay, int32_t mode) {
    constexpr int32_t StandardDelay = 350;
    help::changeEngineSettings([delay, mode](help::EngineSettings& s) {
        s.cueCardMode = mode;
        if (delay > 0) {
            s.cueCardDelay = delay;
        } else if (delay == 0) {
            s.cueCardDelay = StandardDelay;
        }
    });
}

void rvSetPosition(int32_t x, int32_t y, int32_t width, int32_t) {
    help::changeEngineSettings([x, y, width](help::EngineSettings& s) {
        s.fixedX = x;
        s.fixedY = y;
        s.fixedWidth = width;
    });
}

} // extern "C"
