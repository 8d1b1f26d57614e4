// The runtime's error state, kept per thread: the last error code and text, and
// the file driver's own code and text (meaningful when the code is 90).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace runtime {

namespace err {
inline constexpr int32_t None = 0;
inline constexpr int32_t FileNotFound = 2;
inline constexpr int32_t PathNotFound = 3;
inline constexpr int32_t TooManyFiles = 4;
inline constexpr int32_t AccessDenied = 5;
inline constexpr int32_t InvalidHandle = 6;
inline constexpr int32_t FileLocked = 32;
inline constexpr int32_t NoRecord = 33; // end or start of file, or no match
inline constexpr int32_t RecordNotFound = 35;
inline constexpr int32_t FileNotOpen = 37;
inline constexpr int32_t DuplicateKey = 40;
inline constexpr int32_t RecordHeld = 43;
inline constexpr int32_t KeysMustBeRebuilt = 46;
inline constexpr int32_t InvalidDeclaration = 47;
inline constexpr int32_t AlreadyOpen = 52;
inline constexpr int32_t ChangedByOther = 89;
inline constexpr int32_t DriverError = 90;
inline constexpr int32_t InvalidExpression = 800;
} // namespace err

// The runtime's own text for an error code ("" for 0, a generic text for codes
// it does not know).
std::string_view errorText(int32_t code);

// Sets the calling thread's error; the text defaults to errorText(code). Clears
// the driver's code and text unless the code is err::DriverError.
void setError(int32_t code);
void setError(int32_t code, std::string_view text);
// Error 90 with the driver's own code and text.
void setDriverError(std::string_view driverCode, std::string_view driverText);
void clearError();

int32_t errorcode();
std::string error();
std::string fileerrorcode();
std::string fileerror();

} // namespace runtime
