// Field types for record buffers: fixed byte layouts with no padding and no
// alignment, so a struct of them has exactly the size its declaration adds up
// to (records are checked with static_assert). Integers are little-endian.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

#include "runtime/text/strings.h"

namespace runtime::text {

// A fixed-length text field of N bytes, space padded.
template <size_t N>
struct Fixed {
    std::array<char, N> bytes;

    Fixed() { bytes.fill(' '); }
    Fixed(std::string_view value) { assign(value); } // NOLINT: assigning text is the normal use
    Fixed& operator=(std::string_view value) {
        assign(value);
        return *this;
    }
    void assign(std::string_view value) { assignFixed(bytes.data(), N, value); }
    void clear() { bytes.fill(' '); }

    std::string_view view() const { return {bytes.data(), N}; }
    std::string str() const { return std::string(view()); }
    std::string_view clipped() const { return clip(view()); }
    bool blank() const { return isBlank(view()); }
    static constexpr size_t size() { return N; }

    friend bool operator==(const Fixed& a, std::string_view b) { return equalPadded(a.view(), b); }
    template <size_t M>
    friend bool operator==(const Fixed& a, const Fixed<M>& b) {
        return equalPadded(a.view(), b.view());
    }
};

// A little-endian integer stored in sizeof(T) unaligned bytes.
template <typename T>
struct LittleEndian {
    std::array<unsigned char, sizeof(T)> bytes{};

    LittleEndian() = default;
    LittleEndian(T value) { set(value); } // NOLINT: assigning a number is the normal use
    LittleEndian& operator=(T value) {
        set(value);
        return *this;
    }
    operator T() const { return get(); } // NOLINT
    T get() const {
        using U = std::make_unsigned_t<T>;
        U u = 0;
        for (size_t i = 0; i < sizeof(T); ++i) {
            u = static_cast<U>(u | (static_cast<U>(bytes[i]) << (8 * i)));
        }
        return static_cast<T>(u);
    }
    void set(T value) {
        using U = std::make_unsigned_t<T>;
        auto u = static_cast<U>(value);
        for (size_t i = 0; i < sizeof(T); ++i) {
            bytes[i] = static_cast<unsigned char>(u >> (8 * i));
        }
    }
};

using Byte = uint8_t;
using Short = LittleEndian<int16_t>;
using UShort = LittleEndian<uint16_t>;
using Long = LittleEndian<int32_t>;
using ULong = LittleEndian<uint32_t>;

static_assert(sizeof(Fixed<30>) == 30 && alignof(Fixed<30>) == 1);
static_assert(sizeof(Long) == 4 && alignof(Long) == 1);
static_assert(sizeof(Short) == 2 && alignof(Short) == 1);

} // namespace runtime::text
