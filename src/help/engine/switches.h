// The command-line switches the help engine looks for. Each turns on a
// diagnostic (stop boxes or trace lines) or a permission for one run only;
// none is on by default.
#pragma once

#include <string_view>

namespace help::switches {

// rvSHOWHELP: the control range and every control alerted or skipped.
inline constexpr std::string_view ShowHelpDebug = "/rvdebug";
// Tip lookups ("Loading tip from : ") and the tip window's focus.
inline constexpr std::string_view TipDebug = "/rvDebug";
// The setters of the edit permission, the variable width and staying open.
inline constexpr std::string_view SetterTrace = "/rvtrace";
// The thread number a tip request's start returned.
inline constexpr std::string_view StartTrace = "/rvh";
// Why a hover did not show a tip on a timer event.
inline constexpr std::string_view CueCardDebug = "/rvq";
// Allows editing tips when the edit permission asks for this switch.
inline constexpr std::string_view EditTips = "/EditTips";
// Shows the browser command before a web link is opened.
inline constexpr std::string_view BrowserTest = "/RVHTEST";

} // namespace help::switches
