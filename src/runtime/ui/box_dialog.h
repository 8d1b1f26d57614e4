// A modal box with an icon, a text and buttons of our choosing, for the boxes
// the system's message box cannot show (the stop box's "Continue" and "End
// Program", unusual button sets). It looks like the system's own: the dialog
// font, the system icons, buttons 50 by 14 dialog units in a row on the right.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "runtime/sys/interaction.h"

namespace runtime::ui {

struct BoxButton {
    std::string label;
    int id = 0; // returned when pressed; must not be 0
};

// Shows the box modal to `owner` (may be nullptr) and returns the id of the
// pressed button. Esc and the close box answer `cancelId`; with cancelId 0
// the box can only be left through a button.
int showBox(HWND owner, const std::string& title, const std::string& text, Icon icon,
            const std::vector<BoxButton>& buttons, int defaultId, int cancelId);

// A message text for the screen: "|" breaks the line.
std::string boxText(std::string_view text);

} // namespace runtime::ui
