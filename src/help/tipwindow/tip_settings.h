// What the settings rows of a tip mean to its window: the font of a text run,
// the tooltip of a button or link, a button's action and a tip link's target,
// and the help topic a button leaves for the window's close.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "help/markup/control_list.h"
#include "help/markup/settings_list.h"
#include "help/store/tip_record.h"
#include "runtime/sys/interaction.h"

namespace help {

inline constexpr std::string_view DefaultTooltip = "Click here..";

// A colour part that is not set (the runtime's "no colour of its own").
inline constexpr int32_t UnsetColour = -1;

// A "FONT" value: typeface, size, colour and style, separated by commas. A
// part that is empty or not a number is not set: "" for the typeface, 0 for
// size and style, UnsetColour for the colour (0 is black).
runtime::FontSpec fontSetting(std::string_view value);

// The font of the text run named `name`: its "FONT" row, or nothing set.
runtime::FontSpec fontOf(const SettingsList& settings, std::string_view name);

// The "TOOLTIP" row of the control named `name`, or DefaultTooltip.
std::string tooltipOf(const SettingsList& settings, std::string_view name);

// A button's "CALL" value: a three-letter call type and its parameters.
struct ButtonCall {
    enum class Type { None, Exe, Msg, Hlp };
    Type type = Type::None;
    std::string commandLine; // Exe
    int32_t event = 0;       // Msg
    int32_t thread = 0;      // Msg; 0 for the tip window's own thread
    std::string helpFile;    // Hlp
    std::string topic;       // Hlp
};
// "EXEnotepad.exe readme.txt", "MSG1025,2", "HLPdemo.hlp,Customers".
ButtonCall buttonCall(std::string_view value);

// Where a tip link leads: its "LINKTIPPROC" and "LINKTIPCTL" rows, or, when
// it has no "LINKTIPCTL" row, the tip named after the link text without its
// spaces (in every procedure, of no type); `derived` tells that case.
struct LinkTarget {
    TipKey key;
    bool derived = false;
};
LinkTarget linkTarget(const ControlEntry& link, const SettingsList& settings);

// A help topic a button asked for, as the window opens it when it closes: a
// pair of double quotes around the file is removed; a topic in double quotes
// loses them and is also shown to the user.
struct HelpTopic {
    std::string file;
    std::string topic;
    bool showTopic = false;
};
HelpTopic pendingHelpTopic(std::string_view file, std::string_view topic);

} // namespace help
