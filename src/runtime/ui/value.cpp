#include "runtime/ui/value.h"

#include <cctype>

namespace runtime::ui {

int64_t parseLeadingNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    uint64_t magnitude = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        if (magnitude > (UINT64_MAX - 9) / 10) {
            break;
        }
        magnitude = magnitude * 10 + static_cast<uint64_t>(text[i] - '0');
    }
    auto value = static_cast<int64_t>(magnitude & INT64_MAX);
    return negative ? -value : value;
}

int64_t Value::number() const {
    if (const auto* n = std::get_if<int64_t>(&value_)) {
        return *n;
    }
    return parseLeadingNumber(std::get<std::string>(value_));
}

std::string Value::text() const {
    if (const auto* s = std::get_if<std::string>(&value_)) {
        return *s;
    }
    return std::to_string(std::get<int64_t>(value_));
}

} // namespace runtime::ui
