#include "runtime/text/number.h"

#include <limits>

#include "runtime/text/strings.h"

namespace runtime::text {
namespace {

constexpr int MaxSignificantDigits = 18;

constexpr int64_t powerOfTen(int n) {
    int64_t p = 1;
    for (int i = 0; i < n; ++i) {
        p *= 10;
    }
    return p;
}

bool validPlaces(int places) {
    return places >= 0 && places <= MaxPlaces;
}

bool allDigits(std::string_view s) {
    for (char c : s) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<int64_t> rescale(const Number& value, int places) {
    if (!validPlaces(places) || !validPlaces(value.places)) {
        return std::nullopt;
    }
    if (places >= value.places) {
        int64_t factor = powerOfTen(places - value.places);
        if (value.units > std::numeric_limits<int64_t>::max() / factor ||
            value.units < std::numeric_limits<int64_t>::min() / factor) {
            return std::nullopt;
        }
        return value.units * factor;
    }
    int64_t divisor = powerOfTen(value.places - places);
    int64_t quotient = value.units / divisor;
    int64_t remainder = value.units % divisor;
    // |remainder| < divisor <= 10^9, so doubling it cannot overflow.
    if (remainder >= 0 ? remainder * 2 >= divisor : -remainder * 2 >= divisor) {
        quotient += value.units < 0 ? -1 : 1;
    }
    return quotient;
}

std::optional<int64_t> rescaleExact(const Number& value, int places) {
    if (places < value.places && validPlaces(value.places) &&
        value.units % powerOfTen(value.places - places) != 0) {
        return std::nullopt;
    }
    return rescale(value, places);
}

std::string plainText(const Number& value) {
    bool negative = value.units < 0;
    // Through unsigned arithmetic, so the most negative value has a magnitude too.
    uint64_t magnitude =
        negative ? 0 - static_cast<uint64_t>(value.units) : static_cast<uint64_t>(value.units);
    size_t places = validPlaces(value.places) ? static_cast<size_t>(value.places) : 0;
    // Digits from the last: the fraction, then the whole part (at least "0").
    std::string reversed;
    for (size_t n = 0; magnitude > 0 || n <= places; ++n) {
        if (n == places && places > 0) {
            reversed.push_back('.');
        }
        reversed.push_back(static_cast<char>('0' + magnitude % 10));
        magnitude /= 10;
    }
    if (negative) {
        reversed.push_back('-');
    }
    return std::string(reversed.rbegin(), reversed.rend());
}

std::optional<Number> numberFromDigits(bool negative, std::string_view whole, std::string_view fraction) {
    if (!allDigits(whole) || !allDigits(fraction) || fraction.size() > static_cast<size_t>(MaxPlaces)) {
        return std::nullopt;
    }
    while (!whole.empty() && whole.front() == '0') {
        whole.remove_prefix(1);
    }
    int significant = static_cast<int>(whole.size() + fraction.size());
    if (whole.empty()) {
        size_t leadingZeros = fraction.find_first_not_of('0');
        significant =
            leadingZeros == std::string_view::npos ? 0 : static_cast<int>(fraction.size() - leadingZeros);
    }
    if (significant > MaxSignificantDigits) {
        return std::nullopt;
    }
    int64_t units = 0;
    for (char c : whole) {
        units = units * 10 + (c - '0');
    }
    for (char c : fraction) {
        units = units * 10 + (c - '0');
    }
    return Number{negative ? -units : units, static_cast<int>(fraction.size())};
}

std::optional<Number> readPlainNumber(std::string_view text) {
    text = trim(text);
    if (text.empty()) {
        return Number{};
    }
    bool negative = text.front() == '-';
    if (negative) {
        text.remove_prefix(1);
    }
    size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    if (whole.empty() && fraction.empty()) {
        return std::nullopt;
    }
    return numberFromDigits(negative, whole, fraction);
}

} // namespace runtime::text
