// Packed decimal fields: two digits a byte, most significant first, with the
// sign in the low nibble of the last byte (0xC plus, 0xD minus; 0xF is read as
// plus). A field of D digits takes D/2 + 1 bytes. Values are handled as whole
// "units": the number times 10^places.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace runtime::text {

// The value of a packed field of `width` bytes; nothing when a nibble is not a
// digit or the sign is unknown (damaged data).
std::optional<int64_t> decodePacked(const unsigned char* bytes, size_t width);
// Stores `units` in a field of `width` bytes holding at most `digits` digits.
// Returns false, leaving the field unchanged, when the value does not fit.
bool encodePacked(unsigned char* bytes, size_t width, int digits, int64_t units);
// 10^digits - 1: the largest magnitude a field of `digits` digits holds.
int64_t packedLimit(int digits);

template <int Digits, int Places = 0>
struct Decimal {
    static_assert(Digits > 0 && Digits <= 18, "a packed field holds 1 to 18 digits");
    static_assert(Places >= 0 && Places <= Digits);
    static constexpr size_t Bytes = Digits / 2 + 1;
    static constexpr int digits = Digits;
    static constexpr int places = Places;

    std::array<unsigned char, Bytes> bytes;

    Decimal() { set(0); }
    // Damaged bytes read as 0.
    int64_t units() const { return decodePacked(bytes.data(), Bytes).value_or(0); }
    bool set(int64_t units) { return encodePacked(bytes.data(), Bytes, Digits, units); }
};

static_assert(sizeof(Decimal<5>) == 3 && sizeof(Decimal<11>) == 6 && alignof(Decimal<5>) == 1);

} // namespace runtime::text
