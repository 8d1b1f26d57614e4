// The engine's fixed set of messages about files it cannot use. Messages 1 to
// 5 end the program (message 2 only when the user declines the key rebuild);
// the others return the pressed button.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace help {

namespace file_message {
inline constexpr int32_t InvalidFile = 1; // foreign record layout
inline constexpr int32_t InvalidKey = 2;  // asks whether to rebuild the key
inline constexpr int32_t KeyRebuildError = 3;
inline constexpr int32_t CreationError = 4;
inline constexpr int32_t OpenCreatedError = 5;
inline constexpr int32_t AccessError = 30;
inline constexpr int32_t RecordRetrievalError = 35;
inline constexpr int32_t ViewOpenError = 36;
} // namespace file_message

// The runtime's error text and code as the messages show them, "Text (code)";
// for error 90 the driver's own text and code.
std::string currentErrorText();

// Shows message `number` about `info` (a file name, or a word such as
// "LinkTip"); returns the pressed button where the message returns at all.
int32_t reportFileError(int32_t number, std::string_view info);

} // namespace help
