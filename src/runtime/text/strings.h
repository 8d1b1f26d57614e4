// Text helpers with the runtime's rules: fixed-length text is padded with spaces
// and cut at its width; names compare as space-padded strings; positions are
// 1-based where a caller counts characters the way a user does.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace runtime::text {

// `value` cut or padded with spaces to exactly `width` characters.
std::string fixed(std::string_view value, size_t width);
// Writes `value` into a field of `width` bytes, cut or padded with spaces.
void assignFixed(char* field, size_t width, std::string_view value);

// Without trailing blanks (spaces; also NULs, which old files pad with).
std::string_view clip(std::string_view s);
// Without leading blanks.
std::string_view trimLeft(std::string_view s);
// Without leading and trailing blanks.
std::string_view trim(std::string_view s);
bool isBlank(std::string_view s);

std::string upper(std::string_view s);
std::string lower(std::string_view s);
char upper(char c);

// Comparisons as space-padded strings: "ab" equals "ab  "; a negative, zero or
// positive result like strcmp.
int comparePadded(std::string_view a, std::string_view b);
bool equalPadded(std::string_view a, std::string_view b);
int compareNoCase(std::string_view a, std::string_view b);
bool equalNoCase(std::string_view a, std::string_view b);

// The 1-based position of `needle` in `haystack`, tried at positions start,
// start + step, start + 2*step, ...; 0 when not found.
size_t instring(std::string_view needle, std::string_view haystack, size_t step = 1, size_t start = 1);
// Characters start..start+length-1 (1-based), clipped to the text.
std::string_view sub(std::string_view s, size_t start, size_t length);

// Every occurrence of `find` replaced by `replacement`; the search goes on after
// the inserted text, so a replacement that contains `find` does not loop.
std::string replaceAll(std::string_view text, std::string_view find, std::string_view replacement);

} // namespace runtime::text
