// Trace lines: one line of diagnostics on the debugger output per WinDebug
// call, written only when the program runs with "/debug".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace msghook {

inline constexpr std::string_view DebugSwitch = "/debug";

// The longest entry text and the longest line, CR LF included.
inline constexpr size_t MaxEntryLength = 255;
inline constexpr size_t MaxLineLength = 255;

// What a trace line says about the event: the text, followed by the control
// and the event's name for a named event (with `selection` for the events
// that show one), by "EVENT:User " and the user event's own number for events
// 1024 to 4095, or nothing more for any other event.
std::string traceEntry(std::string_view text, int32_t event, int32_t control, int32_t selection);

// The whole line: the window name, the event number unless it is 0, the entry
// and CR LF. A line cut to its limit keeps its CR LF, so the next line still
// starts on a line of its own.
std::string traceLine(std::string_view text, std::string_view windowName, int32_t event, int32_t control,
                      int32_t selection);

} // namespace msghook
