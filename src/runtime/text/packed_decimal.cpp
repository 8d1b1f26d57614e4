#include "runtime/text/packed_decimal.h"

namespace runtime::text {

int64_t packedLimit(int digits) {
    int64_t limit = 1;
    for (int i = 0; i < digits; ++i) {
        limit *= 10;
    }
    return limit - 1;
}

std::optional<int64_t> decodePacked(const unsigned char* bytes, size_t width) {
    if (width == 0 || width > 10) {
        return std::nullopt;
    }
    int64_t value = 0;
    for (size_t i = 0; i < width; ++i) {
        unsigned high = bytes[i] >> 4;
        unsigned low = bytes[i] & 0x0F;
        if (high > 9) {
            return std::nullopt;
        }
        value = value * 10 + high;
        if (i + 1 < width) {
            if (low > 9) {
                return std::nullopt;
            }
            value = value * 10 + low;
        } else if (low == 0x0D) {
            value = -value;
        } else if (low != 0x0C && low != 0x0F) {
            return std::nullopt;
        }
    }
    return value;
}

bool encodePacked(unsigned char* bytes, size_t width, int digits, int64_t units) {
    if (width == 0 || digits <= 0 || static_cast<size_t>(digits) > width * 2 - 1) {
        return false;
    }
    if (units < -packedLimit(digits) || units > packedLimit(digits)) {
        return false;
    }
    bool negative = units < 0;
    uint64_t magnitude = negative ? static_cast<uint64_t>(-units) : static_cast<uint64_t>(units);
    // Nibbles from the last: the sign, then the digits from least significant up.
    size_t nibbles = width * 2;
    for (size_t n = nibbles; n-- > 0;) {
        unsigned nibble;
        if (n == nibbles - 1) {
            nibble = negative ? 0x0D : 0x0C;
        } else {
            nibble = static_cast<unsigned>(magnitude % 10);
            magnitude /= 10;
        }
        unsigned char& byte = bytes[n / 2];
        if (n % 2 == 1) {
            byte = static_cast<unsigned char>((byte & 0xF0) | nibble);
        } else {
            byte = static_cast<unsigned char>((byte & 0x0F) | (nibble << 4));
        }
    }
    return true;
}

} // namespace runtime::text
