#include "runtime/expr/number.h"

#include <array>

namespace runtime::expr {
namespace {

constexpr std::array<uint64_t, MaxDigits + 1> powersOfTen() {
    std::array<uint64_t, MaxDigits + 1> powers{};
    uint64_t value = 1;
    for (auto& power : powers) {
        power = value;
        value *= 10;
    }
    return powers;
}

constexpr auto kPowerOfTen = powersOfTen();

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

uint64_t magnitude(int64_t value) {
    return value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
}

int compareMagnitudes(uint64_t a, uint8_t aPlaces, uint64_t b, uint8_t bPlaces) {
    uint64_t aWhole = a / kPowerOfTen[aPlaces];
    uint64_t bWhole = b / kPowerOfTen[bPlaces];
    if (aWhole != bWhole) {
        return aWhole < bWhole ? -1 : 1;
    }
    // Both fractions scaled to the longer one stay below 10^MaxDigits, so this
    // cannot overflow.
    uint8_t places = aPlaces > bPlaces ? aPlaces : bPlaces;
    uint64_t aFraction = (a % kPowerOfTen[aPlaces]) * kPowerOfTen[places - aPlaces];
    uint64_t bFraction = (b % kPowerOfTen[bPlaces]) * kPowerOfTen[places - bPlaces];
    if (aFraction != bFraction) {
        return aFraction < bFraction ? -1 : 1;
    }
    return 0;
}

} // namespace

std::optional<Number> parseNumber(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    if (whole.empty() && fraction.empty()) {
        return std::nullopt;
    }
    for (std::string_view part : {whole, fraction}) {
        for (char c : part) {
            if (!isDigit(c)) {
                return std::nullopt;
            }
        }
    }
    while (!whole.empty() && whole.front() == '0') {
        whole.remove_prefix(1);
    }
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.remove_suffix(1);
    }
    if (whole.size() + fraction.size() > static_cast<size_t>(MaxDigits)) {
        return std::nullopt;
    }
    int64_t units = 0;
    for (std::string_view part : {whole, fraction}) {
        for (char c : part) {
            units = units * 10 + (c - '0');
        }
    }
    return Number{negative ? -units : units, static_cast<uint8_t>(fraction.size())};
}

int compareNumbers(Number a, Number b) {
    int aSign = (a.units > 0) - (a.units < 0);
    int bSign = (b.units > 0) - (b.units < 0);
    if (aSign != bSign) {
        return aSign < bSign ? -1 : 1;
    }
    if (aSign == 0) {
        return 0;
    }
    int byMagnitude = compareMagnitudes(magnitude(a.units), a.places, magnitude(b.units), b.places);
    return aSign > 0 ? byMagnitude : -byMagnitude;
}

std::string formatNumber(Number n) {
    std::string digits = std::to_string(magnitude(n.units));
    if (digits.size() <= n.places) {
        digits.insert(0, n.places - digits.size() + 1, '0');
    }
    std::string text = n.units < 0 ? "-" : "";
    size_t wholeDigits = digits.size() - n.places;
    text.append(digits, 0, wholeDigits);
    std::string_view fraction = std::string_view(digits).substr(wholeDigits);
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.remove_suffix(1);
    }
    if (!fraction.empty()) {
        text.append(".").append(fraction);
    }
    return text;
}

} // namespace runtime::expr
