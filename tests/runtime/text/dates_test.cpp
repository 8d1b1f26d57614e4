#include <gtest/gtest.h>

#include "runtime/text/dates.h"

namespace {

using namespace runtime::text;

TEST(Calendar, LeapYearsMonthEndsAndDatesThatDoNotExist) {
    EXPECT_TRUE(isLeapYear(2024));
    EXPECT_TRUE(isLeapYear(2000));
    EXPECT_FALSE(isLeapYear(1900));
    EXPECT_FALSE(isLeapYear(2100));
    EXPECT_FALSE(isLeapYear(2023));

    const int ends[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int month = 1; month <= 12; ++month) {
        EXPECT_EQ(daysInMonth(2023, month), ends[month - 1]) << month;
        EXPECT_TRUE(isValidDate(2023, month, ends[month - 1])) << month;
        EXPECT_FALSE(isValidDate(2023, month, ends[month - 1] + 1)) << month;
    }
    EXPECT_EQ(daysInMonth(2024, 2), 29);
    EXPECT_TRUE(isValidDate(2000, 2, 29));
    struct Case {
        int year, month, day;
    };
    for (Case c : {Case{2023, 2, 29}, Case{1900, 2, 29}, Case{2024, 4, 31}, Case{2024, 0, 1},
                   Case{2024, 13, 1}, Case{2024, 1, 0}, Case{1800, 12, 31}, Case{10000, 1, 1}}) {
        EXPECT_FALSE(dayNumber(c.year, c.month, c.day).has_value())
            << c.year << "-" << c.month << "-" << c.day;
    }
}

TEST(DayNumbers, CountFromTheFirstOfJanuary1801) {
    EXPECT_EQ(dayNumber(1801, 1, 1), 1);
    EXPECT_EQ(dayNumber(1801, 12, 31), 365);
    EXPECT_EQ(dayNumber(1802, 1, 1), 366);
    EXPECT_EQ(dayNumber(1970, 1, 1), 61727);
    EXPECT_EQ(dayNumber(2024, 2, 29), 81509);
    EXPECT_EQ(dayNumber(2000, 3, 1), 72744);
    EXPECT_EQ(dayNumber(9999, 12, 31), LastDay);
    EXPECT_EQ(*dayNumber(2024, 3, 1) - *dayNumber(2024, 2, 28), 2);
    EXPECT_EQ(*dayNumber(2100, 3, 1) - *dayNumber(2100, 2, 28), 1);

    EXPECT_FALSE(civilDate(0).has_value()) << "day 0 is no date";
    EXPECT_FALSE(civilDate(-1).has_value());
    EXPECT_FALSE(civilDate(LastDay + 1).has_value());
    EXPECT_EQ(civilDate(1), (CivilDate{1801, 1, 1}));
    EXPECT_EQ(civilDate(LastDay), (CivilDate{9999, 12, 31}));
}

TEST(DayNumbers, RoundTripEveryDayOfTheRange) {
    // Walks the calendar one day at a time, so a gap or a repeat anywhere in
    // 8199 years shows up.
    CivilDate expected{1801, 1, 1};
    for (int32_t day = FirstDay; day <= LastDay; ++day) {
        auto date = civilDate(day);
        ASSERT_TRUE(date.has_value()) << day;
        ASSERT_EQ(*date, expected) << day;
        ASSERT_EQ(dayNumber(*date), day);
        if (++expected.day > daysInMonth(expected.year, expected.month)) {
            expected.day = 1;
            if (++expected.month > 12) {
                expected.month = 1;
                ++expected.year;
            }
        }
    }
}

} // namespace
