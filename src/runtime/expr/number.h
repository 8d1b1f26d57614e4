// Exact decimal numbers for comparisons: a whole number of units and the count
// of decimal places they stand for, the way packed decimal fields hold them.
// Comparing through doubles would call 0.1 and a Decimal holding 1 unit at one
// place unequal, so nothing here ever rounds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace runtime::expr {

struct Number {
    int64_t units = 0;
    uint8_t places = 0; // 0..MaxDigits
};

// The most digits a number may carry, before or after the point; as many as the
// widest packed field holds.
inline constexpr int MaxDigits = 18;

// Reads "[-|+]digits[.digits]" or "[-|+].digits" with nothing around it;
// nothing when the text is not such a number or needs more than MaxDigits
// significant digits.
std::optional<Number> parseNumber(std::string_view text);

// Negative, zero or positive like strcmp; exact for any places.
int compareNumbers(Number a, Number b);

// Shortest decimal text: "12.5", "-3", "0.05".
std::string formatNumber(Number n);

} // namespace runtime::expr
