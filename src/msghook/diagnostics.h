// The texts of the hook's own diagnostics.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "msghook/types.h"

namespace msghook {

// Shows the end-of-session messages in a stop box, to find out which windows
// take part in ending the session.
inline constexpr std::string_view EndSessionSwitch = "/tavi";

// The longest system error text quoted in a diagnostic.
inline constexpr size_t MaxSystemTextLength = 255;

// Traced when a window could not be hooked: the handle in a 16-wide number
// field and the system's text for the error, cut to its limit and without
// trailing blanks or line ends.
std::string hookFailureText(Handle handle, std::string_view systemText);

// Written to the debugger output, even without "/debug", when a message
// reaches the hook for a handle it has no alerts for.
std::string missingHandleLine(Handle handle);
inline constexpr std::string_view MissingHandleTrace = "WinAccept get on queue WA failed(2)";

// The stop box text for an end-of-session message under EndSessionSwitch.
std::string endSessionStopText(Handle handle, int32_t message);

} // namespace msghook
