// The names trace lines give to runtime events. The blanks around each name are
// part of it: trace readers and the tools that filter debugger output match
// them as written.
#pragma once

#include <cstdint>
#include <string_view>

namespace msghook {

// The trace name of an event, empty for an event that has none.
std::string_view eventName(int32_t event);

// True for the events whose trace name is followed by the current selection of
// their control (new selection and tab changing).
bool eventShowsSelection(int32_t event);

} // namespace msghook
