#include "runtime/text/dates.h"

namespace runtime::text {
namespace {

// Days since 1 March of year 0 on the Gregorian calendar, counted in 400-year
// eras of 146097 days; starting the year in March puts the leap day last.
constexpr int64_t daysFromCivil(int64_t year, int64_t month, int64_t day) {
    year -= month <= 2 ? 1 : 0;
    int64_t era = year / 400;
    int64_t yearOfEra = year - era * 400;
    int64_t monthFromMarch = (month + 9) % 12;
    int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + day - 1;
    int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra;
}

constexpr CivilDate civilFromDays(int64_t days) {
    int64_t era = days / 146097;
    int64_t dayOfEra = days - era * 146097;
    int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    int64_t day = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;
    int64_t month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
    int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return CivilDate{static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

constexpr int64_t DayZero = daysFromCivil(1800, 12, 31);

} // namespace

static_assert(daysFromCivil(LastYear, 12, 31) - DayZero == LastDay);
static_assert(daysFromCivil(FirstYear, 1, 1) - DayZero == FirstDay);

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    return month == 2 && isLeapYear(year) ? 29 : lengths[month - 1];
}

bool isValidDate(int year, int month, int day) {
    return year >= FirstYear && year <= LastYear && day >= 1 && day <= daysInMonth(year, month);
}

std::optional<int32_t> dayNumber(int year, int month, int day) {
    if (!isValidDate(year, month, day)) {
        return std::nullopt;
    }
    return static_cast<int32_t>(daysFromCivil(year, month, day) - DayZero);
}

std::optional<int32_t> dayNumber(const CivilDate& date) {
    return dayNumber(date.year, date.month, date.day);
}

std::optional<CivilDate> civilDate(int32_t day) {
    if (day < FirstDay || day > LastDay) {
        return std::nullopt;
    }
    return civilFromDays(DayZero + day);
}

} // namespace runtime::text
