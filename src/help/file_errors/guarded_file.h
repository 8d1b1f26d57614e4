// What the guarded open needs of a keyed file, so it can be written and tested
// without the driver; an adapter over the driver implements it. Every
// operation leaves its result in the runtime's error state
// (runtime::errorcode(), and the driver's own code and text for error 90).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace help {

// Open modes in the DOS sharing encoding: access in the low two bits
// (0 read, 1 write, 2 read/write), sharing in the high nibble (0x10 deny all,
// 0x20 deny write, 0x30 deny read, 0x40 deny none).
namespace open_mode {
inline constexpr uint8_t SharedReadWrite = 0x42;
} // namespace open_mode

class GuardedFile {
public:
    virtual ~GuardedFile() = default;

    virtual void open(uint8_t mode) = 0;
    // Creates the file empty, with its declared layout; leaves it closed.
    virtual void create() = 0;
    // A driver option such as "Recover=10" (release locks left by a process
    // that died; the number bounds the wait).
    virtual void send(std::string_view option) = 0;
    // Rebuilds every key from the records.
    virtual void buildKeys() = 0;
    // The name the file is opened under, as shown in messages.
    virtual std::string name() const = 0;
};

} // namespace help
