// The caption "?" button and the help mode it starts, where the system lacks
// them. Windows draws "?" in the caption of a window with WS_EX_CONTEXTHELP;
// a click on it turns the pointer into the "?" cursor, and the next click on
// a control sends that control WM_HELP (which climbs to its parents), while
// Esc or a click elsewhere ends the mode. Wine draws no such button and has no
// such mode, so under Wine the runtime supplies both, through the frame's
// filter, and a person uses "?" there exactly as on Windows.
#pragma once

namespace runtime::ui {

class Window;

// True when the system draws the caption "?" and runs its help mode itself.
bool systemHasCaptionHelp();

// Lets the window's caption "?" work where the system does not: draws the
// button while the frame has WS_EX_CONTEXTHELP and runs the help mode for a
// click on it, or for the SC_CONTEXTHELP system command. Does nothing where
// the system has both, and nothing the second time for the same window.
void supplyCaptionHelp(Window& window);

} // namespace runtime::ui
