#include <ctime>
#include <gtest/gtest.h>

#include "runtime/sys/clock.h"
#include "runtime/text/dates.h"

namespace {

using namespace runtime;

// The local date and time through the C library, a source independent of the
// one the runtime uses on Windows.
struct CLibraryNow {
    int32_t day;
    int32_t seconds;
};

CLibraryNow cLibraryNow() {
    std::time_t now = std::time(nullptr);
    std::tm local = *std::localtime(&now);
    return {*text::dayNumber(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
            local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec};
}

TEST(Clock, TodayAndTheClockAgreeWithTheCLibrary) {
    // Repeated when the second (or the day) changes between the two readings.
    for (int attempt = 0; attempt < 5; ++attempt) {
        CLibraryNow before = cLibraryNow();
        int32_t day = today();
        int32_t hundredths = runtime::clock();
        CLibraryNow after = cLibraryNow();
        if (before.day != after.day || after.seconds - before.seconds > 1) {
            continue;
        }
        EXPECT_EQ(day, before.day);
        EXPECT_LT(hundredths, 8640000);
        EXPECT_GE(hundredths / 100, before.seconds);
        EXPECT_LE(hundredths / 100, after.seconds);
        return;
    }
    FAIL() << "the clock kept changing day";
}

TEST(Clock, FixedTimeOverridesNest) {
    ScopedFixedTime outer(81509, 8639999);
    EXPECT_EQ(today(), 81509);
    EXPECT_EQ(runtime::clock(), 8639999);
    {
        ScopedFixedTime inner(1, 0);
        EXPECT_EQ(today(), 1);
        inner.set(2, 300);
        EXPECT_EQ(today(), 2);
        EXPECT_EQ(runtime::clock(), 300);
    }
    EXPECT_EQ(today(), 81509);
    EXPECT_EQ(runtime::clock(), 8639999);
}

} // namespace
