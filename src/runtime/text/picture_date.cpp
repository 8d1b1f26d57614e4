// Date pictures: day numbers shown and entered as yyyy-mm-dd.
#include <cstdio>

#include "runtime/text/dates.h"
#include "runtime/text/picture.h"
#include "runtime/text/strings.h"

namespace runtime::text {
namespace {

// A field of one to `most` digits up to the next '-' or the end.
std::optional<int> readField(std::string_view& rest, size_t most) {
    size_t n = 0;
    while (n < rest.size() && rest[n] >= '0' && rest[n] <= '9') {
        ++n;
    }
    if (n == 0 || n > most) {
        return std::nullopt;
    }
    int value = 0;
    for (size_t i = 0; i < n; ++i) {
        value = value * 10 + (rest[i] - '0');
    }
    rest.remove_prefix(n);
    return value;
}

bool skipDash(std::string_view& rest) {
    if (rest.empty() || rest.front() != '-') {
        return false;
    }
    rest.remove_prefix(1);
    return true;
}

} // namespace

std::optional<std::string> Picture::dateDisplay(const Number& value) const {
    auto day = rescaleExact(value, 0);
    if (!day) {
        return std::nullopt;
    }
    if (*day == NoDate) {
        return std::string(static_cast<size_t>(width_), ' ');
    }
    if (*day < FirstDay || *day > LastDay) {
        return std::nullopt;
    }
    auto date = civilDate(static_cast<int32_t>(*day));
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date->year, date->month, date->day);
    return std::string(text);
}

std::optional<Number> Picture::readDateEntry(std::string_view entered) const {
    std::string_view rest = trim(entered);
    if (rest.empty()) {
        return Number{NoDate, 0};
    }
    auto year = readField(rest, 4);
    if (!year || !skipDash(rest)) {
        return std::nullopt;
    }
    auto month = readField(rest, 2);
    if (!month || !skipDash(rest)) {
        return std::nullopt;
    }
    auto day = readField(rest, 2);
    if (!day || !rest.empty()) {
        return std::nullopt;
    }
    auto number = dayNumber(*year, *month, *day);
    if (!number) {
        return std::nullopt;
    }
    return Number{*number, 0};
}

} // namespace runtime::text
