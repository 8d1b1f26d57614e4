// Number pictures: display and entry.
#include "runtime/text/picture.h"
#include "runtime/text/strings.h"

namespace runtime::text {
namespace {

std::string withGroupSeparators(std::string_view digits) {
    std::string result;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            result.push_back(',');
        }
        result.push_back(digits[i]);
    }
    return result;
}

// The whole-part digits of an entry in a grouping picture: either plain digits
// or groups of three separated by commas after a first group of one to three.
std::optional<std::string> ungrouped(std::string_view whole) {
    if (whole.find(',') == std::string_view::npos) {
        return std::string(whole);
    }
    size_t first = whole.find(',');
    if (first == 0 || first > 3) {
        return std::nullopt;
    }
    std::string digits(whole.substr(0, first));
    for (size_t at = first; at < whole.size(); at += 4) {
        if (whole[at] != ',' || at + 4 > whole.size()) {
            return std::nullopt;
        }
        std::string_view group = whole.substr(at + 1, 3);
        if (group.find(',') != std::string_view::npos) {
            return std::nullopt;
        }
        digits.append(group);
    }
    return digits;
}

} // namespace

std::optional<std::string> Picture::numberDisplay(const Number& value) const {
    auto units = rescale(value, places_);
    if (!units || (*units < 0 && !negative_)) {
        return std::nullopt;
    }
    std::string plain = plainText(Number{*units, places_});
    bool minus = plain.front() == '-';
    std::string_view magnitude = std::string_view(plain).substr(minus ? 1 : 0);
    size_t point = magnitude.find('.');
    std::string_view whole = magnitude.substr(0, point);
    std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : magnitude.substr(point);

    std::string body = (grouped_ ? withGroupSeparators(whole) : std::string(whole)) + std::string(fraction);
    std::string sign = minus ? "-" : "";
    size_t width = static_cast<size_t>(width_);
    if (sign.size() + body.size() > width) {
        return std::nullopt;
    }
    if (zeroFill_) {
        return sign + std::string(width - sign.size() - body.size(), '0') + body;
    }
    return std::string(width - sign.size() - body.size(), ' ') + sign + body;
}

std::optional<Number> Picture::readNumberEntry(std::string_view entered) const {
    std::string_view text = trim(entered);
    if (text.empty()) {
        return Number{0, places_};
    }
    bool minus = text.front() == '-';
    if (minus) {
        if (!negative_) {
            return std::nullopt;
        }
        text.remove_prefix(1);
    }
    size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    if (whole.empty() && fraction.empty()) {
        return std::nullopt;
    }
    if (fraction.size() > static_cast<size_t>(places_)) {
        return std::nullopt;
    }
    std::optional<std::string> digits = grouped_ ? ungrouped(whole) : std::string(whole);
    if (!digits) {
        return std::nullopt;
    }
    auto value = numberFromDigits(minus, *digits, fraction);
    if (!value) {
        return std::nullopt;
    }
    auto units = rescale(*value, places_);
    if (!units || !numberDisplay(Number{*units, places_})) {
        return std::nullopt;
    }
    return Number{*units, places_};
}

} // namespace runtime::text
