// Failures inside the engine travel as exceptions to the public operation that
// started them, which turns them into the runtime's error state.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/files/io.h"

namespace runtime::files {

struct Failure {
    int32_t code = 0;
    std::string systemCode; // the driver's own code, for error 90
    std::string text;       // the driver's own text, for error 90
};

// The driver's own codes for what it finds wrong in a file (error 90).
namespace driver {
inline constexpr const char* NotKeyedFile = "1001";
inline constexpr const char* Damaged = "1002";
inline constexpr const char* Truncated = "1003";
inline constexpr const char* TooLarge = "1004";
inline constexpr const char* BadOption = "1005";
} // namespace driver

// Thrown when a page changed under a reader because another open committed
// meanwhile; the operation starts again from the new meta.
struct Stale {};

[[noreturn]] void fail(int32_t code);
[[noreturn]] void failDriver(const char* systemCode, std::string text);
[[noreturn]] void failIo(const IoError& error);
// Damage in a page of `tree`: a key tree's damage is repaired by rebuilding the
// keys (46), damage elsewhere is not (90).
[[noreturn]] void failDamaged(uint8_t tree, uint32_t page, const char* what);

} // namespace runtime::files
