// What a click on a tip's content does: a click area opens its hyperlink or
// follows its tip link; a button carries out its "CALL" setting (run a
// program, post an event, or open a help topic when the window closes).
// Labels, bullets and rules do nothing.
#pragma once

#include <cstdint>
#include <string_view>

#include "help/markup/control_list.h"
#include "help/markup/settings_list.h"

namespace help {

// The tip window's side of a click.
class TipActions {
public:
    virtual ~TipActions() = default;
    virtual void openHyperlink(const ControlEntry& link) = 0;
    virtual void followTipLink(const ControlEntry& link) = 0;
    virtual void runProgram(std::string_view commandLine) = 0;
    // Closes the tip window, then posts `event` to `thread` (0: the tip
    // window's own thread).
    virtual void closeAndPost(int32_t event, int32_t thread) = 0;
    // Closes the tip window, which then opens the help topic.
    virtual void closeAndOpenHelp(std::string_view helpFile, std::string_view topic) = 0;
};

// Handles the accepted event of content control `control`; anything that is
// not a content control with an entry is ignored.
void dispatchClick(int32_t control, const ControlList& entries, const SettingsList& settings,
                   TipActions& actions);

} // namespace help
