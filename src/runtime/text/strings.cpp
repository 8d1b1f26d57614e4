#include "runtime/text/strings.h"

#include <algorithm>
#include <cstring>

namespace runtime::text {
namespace {

bool blank(char c) {
    return c == ' ' || c == '\0';
}

int compareChars(char a, char b) {
    auto ua = static_cast<unsigned char>(a);
    auto ub = static_cast<unsigned char>(b);
    return ua < ub ? -1 : (ua > ub ? 1 : 0);
}

template <typename Fold>
int comparePaddedWith(std::string_view a, std::string_view b, Fold fold) {
    size_t n = std::max(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        char ca = i < a.size() ? fold(a[i]) : ' ';
        char cb = i < b.size() ? fold(b[i]) : ' ';
        if (int c = compareChars(ca, cb); c != 0) {
            return c;
        }
    }
    return 0;
}

} // namespace

std::string fixed(std::string_view value, size_t width) {
    std::string result(value.substr(0, width));
    result.resize(width, ' ');
    return result;
}

void assignFixed(char* field, size_t width, std::string_view value) {
    size_t n = std::min(width, value.size());
    if (n > 0) { // an empty view may have no data at all, and memcpy must not see it
        std::memcpy(field, value.data(), n);
    }
    std::memset(field + n, ' ', width - n);
}

std::string_view clip(std::string_view s) {
    size_t end = s.size();
    while (end > 0 && blank(s[end - 1])) {
        --end;
    }
    return s.substr(0, end);
}

std::string_view trimLeft(std::string_view s) {
    size_t start = 0;
    while (start < s.size() && blank(s[start])) {
        ++start;
    }
    return s.substr(start);
}

std::string_view trim(std::string_view s) {
    return clip(trimLeft(s));
}

bool isBlank(std::string_view s) {
    return clip(s).empty();
}

char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string upper(std::string_view s) {
    std::string result(s);
    for (char& c : result) {
        c = upper(c);
    }
    return result;
}

std::string lower(std::string_view s) {
    std::string result(s);
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return result;
}

int comparePadded(std::string_view a, std::string_view b) {
    return comparePaddedWith(a, b, [](char c) { return c == '\0' ? ' ' : c; });
}

bool equalPadded(std::string_view a, std::string_view b) {
    return comparePadded(a, b) == 0;
}

int compareNoCase(std::string_view a, std::string_view b) {
    return comparePaddedWith(a, b, [](char c) { return c == '\0' ? ' ' : upper(c); });
}

bool equalNoCase(std::string_view a, std::string_view b) {
    return compareNoCase(a, b) == 0;
}

size_t instring(std::string_view needle, std::string_view haystack, size_t step, size_t start) {
    if (needle.empty() || step == 0 || start == 0) {
        return 0;
    }
    for (size_t pos = start; pos + needle.size() - 1 <= haystack.size(); pos += step) {
        if (haystack.compare(pos - 1, needle.size(), needle) == 0) {
            return pos;
        }
    }
    return 0;
}

std::string_view sub(std::string_view s, size_t start, size_t length) {
    if (start == 0 || start > s.size()) {
        return {};
    }
    return s.substr(start - 1, length);
}

std::string replaceAll(std::string_view text, std::string_view find, std::string_view replacement) {
    if (find.empty()) {
        return std::string(text);
    }
    std::string result;
    size_t from = 0;
    while (true) {
        size_t at = text.find(find, from);
        if (at == std::string_view::npos) {
            result.append(text.substr(from));
            return result;
        }
        result.append(text.substr(from, at - from)).append(replacement);
        from = at + find.size();
    }
}

} // namespace runtime::text
