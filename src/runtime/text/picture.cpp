#include "runtime/text/picture.h"

#include "runtime/text/strings.h"

namespace runtime::text {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A width or a count of places: digits without a leading zero (a leading zero
// is the zero-fill flag), at most three of them.
std::optional<int> readCount(std::string_view& rest) {
    size_t n = 0;
    while (n < rest.size() && isDigit(rest[n])) {
        ++n;
    }
    if (n == 0 || n > 3 || (rest[0] == '0' && n > 1)) {
        return std::nullopt;
    }
    int value = 0;
    for (size_t i = 0; i < n; ++i) {
        value = value * 10 + (rest[i] - '0');
    }
    rest.remove_prefix(n);
    return value;
}

} // namespace

std::optional<Picture> Picture::parse(std::string_view text) {
    std::string_view rest = trim(text);
    if (!rest.empty() && rest.front() == '@') {
        rest.remove_prefix(1);
    }
    if (rest.empty()) {
        return std::nullopt;
    }
    Picture picture;
    char letter = upper(rest.front());
    rest.remove_prefix(1);
    if (letter == 'S') {
        picture.kind_ = Kind::String;
        auto width = readCount(rest);
        if (!width || *width < 1 || *width > MaxStringWidth || !rest.empty()) {
            return std::nullopt;
        }
        picture.width_ = *width;
        return picture;
    }
    if (letter == 'D') {
        picture.kind_ = Kind::Date;
        picture.width_ = 10;
        if (rest != "10") {
            return std::nullopt;
        }
        return picture;
    }
    if (letter != 'N') {
        return std::nullopt;
    }
    picture.kind_ = Kind::Number;
    if (!rest.empty() && rest.front() == '-') {
        picture.negative_ = true;
        rest.remove_prefix(1);
    }
    if (!rest.empty() && (rest.front() == '0' || rest.front() == ',')) {
        picture.zeroFill_ = rest.front() == '0';
        picture.grouped_ = rest.front() == ',';
        rest.remove_prefix(1);
    }
    auto width = readCount(rest);
    if (!width || *width < 1 || *width > MaxNumberWidth) {
        return std::nullopt;
    }
    picture.width_ = *width;
    if (!rest.empty() && rest.front() == '.') {
        rest.remove_prefix(1);
        auto places = readCount(rest);
        if (!places || *places > MaxPlaces || picture.width_ < *places + 2) {
            return std::nullopt;
        }
        picture.places_ = *places;
    }
    if (!rest.empty()) {
        return std::nullopt;
    }
    return picture;
}

std::string Picture::overflow() const {
    return std::string(static_cast<size_t>(width_), '#');
}

std::string Picture::format(const Number& value) const {
    switch (kind_) {
    case Kind::Number:
        return numberDisplay(value).value_or(overflow());
    case Kind::Date:
        return dateDisplay(value).value_or(overflow());
    case Kind::String:
        break;
    }
    std::string plain = plainText(value);
    return plain.size() > static_cast<size_t>(width_) ? overflow()
                                                      : fixed(plain, static_cast<size_t>(width_));
}

std::string Picture::format(std::string_view text) const {
    if (kind_ == Kind::String) {
        return fixed(text, static_cast<size_t>(width_));
    }
    auto value = readPlainNumber(text);
    return value ? format(*value) : overflow();
}

std::optional<Number> Picture::readNumber(std::string_view entered) const {
    switch (kind_) {
    case Kind::Number:
        return readNumberEntry(entered);
    case Kind::Date:
        return readDateEntry(entered);
    case Kind::String:
        break;
    }
    return readPlainEntry(entered);
}

std::optional<std::string> Picture::readText(std::string_view entered) const {
    if (kind_ == Kind::String) {
        std::string_view text = clip(entered);
        if (text.size() > static_cast<size_t>(width_)) {
            return std::nullopt;
        }
        return std::string(text);
    }
    auto value = readNumber(entered);
    if (!value) {
        return std::nullopt;
    }
    return plainText(*value);
}

std::optional<Number> Picture::readPlainEntry(std::string_view entered) const {
    if (trim(entered).size() > static_cast<size_t>(width_)) {
        return std::nullopt;
    }
    return readPlainNumber(entered);
}

} // namespace runtime::text
