// Dates as day numbers: the runtime's date type, stored in records as a signed
// 32-bit integer. Day 1 is 1 January 1801 and every later day counts one more
// (proleptic Gregorian calendar); day 0 means "no date". The last day is
// 31 December 9999, so every date has a four-digit year and day numbers stay
// far inside 32 bits. 1801 keeps the whole of the 19th century, which birth
// dates and old records still need, while staying clear of the calendar
// reforms before it.
#pragma once

#include <cstdint>
#include <optional>

namespace runtime::text {

struct CivilDate {
    int year = 0;
    int month = 0; // 1..12
    int day = 0;   // 1..31

    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

inline constexpr int FirstYear = 1801;
inline constexpr int LastYear = 9999;
inline constexpr int32_t NoDate = 0;
inline constexpr int32_t FirstDay = 1;      // 1801-01-01
inline constexpr int32_t LastDay = 2994623; // 9999-12-31

bool isLeapYear(int year);
// 28..31; 0 for a month outside 1..12.
int daysInMonth(int year, int month);
// True for a real calendar date from FirstYear to LastYear.
bool isValidDate(int year, int month, int day);

// The day number of a date; nothing for an invalid or out-of-range date.
std::optional<int32_t> dayNumber(int year, int month, int day);
std::optional<int32_t> dayNumber(const CivilDate& date);
// The date of a day number; nothing outside FirstDay..LastDay.
std::optional<CivilDate> civilDate(int32_t day);

} // namespace runtime::text
