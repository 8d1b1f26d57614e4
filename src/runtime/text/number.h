// Decimal numbers as the runtime passes them between fields, pictures and
// variables: whole units of 10^-places, so money and packed fields never go
// through binary floating point.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace runtime::text {

// The greatest number of decimal places a Number carries.
inline constexpr int MaxPlaces = 9;

struct Number {
    int64_t units = 0; // the value times 10^places
    int places = 0;    // 0..MaxPlaces

    friend bool operator==(const Number&, const Number&) = default;
};

// The value as whole units of 10^-places, rounded half away from zero when
// places drop; nothing when the result does not fit 64 bits.
std::optional<int64_t> rescale(const Number& value, int places);
// The same, but nothing when the value has more places than given (a digit
// would be lost).
std::optional<int64_t> rescaleExact(const Number& value, int places);

// The plain text of a number: an optional minus, digits and, with places, a
// point and exactly that many digits ("-12.50", "0.05", "7").
std::string plainText(const Number& value);

// Reads plain number text: blanks around it are ignored; an optional minus,
// digits, and an optional point with up to MaxPlaces digits after it (".5" and
// "5." are read too). A blank text reads as 0. Nothing for anything else,
// including more than 18 significant digits.
std::optional<Number> readPlainNumber(std::string_view text);

// The number made of whole-part and fraction digits (only '0'..'9', either may
// be empty); nothing beyond 18 significant digits or MaxPlaces places.
std::optional<Number> numberFromDigits(bool negative, std::string_view whole, std::string_view fraction);

} // namespace runtime::text
