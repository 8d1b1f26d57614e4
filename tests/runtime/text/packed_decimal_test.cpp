#include <gtest/gtest.h>

#include "runtime/text/packed_decimal.h"

namespace {

using namespace runtime::text;

TEST(PackedDecimal, RoundTripsAtTheLimitsOfTheStoredWidth) {
    Decimal<5> zip;
    EXPECT_EQ(zip.units(), 0);
    for (int64_t v : {0LL, 1LL, 7LL, 12345LL, 99999LL, -99999LL, -1LL}) {
        ASSERT_TRUE(zip.set(v)) << v;
        EXPECT_EQ(zip.units(), v);
    }
    Decimal<11> phone;
    ASSERT_TRUE(phone.set(99999999999LL));
    EXPECT_EQ(phone.units(), 99999999999LL);
    ASSERT_TRUE(phone.set(18005551234LL));
    EXPECT_EQ(phone.units(), 18005551234LL);
}

TEST(PackedDecimal, RefusesValuesThatDoNotFitAndKeepsTheOldOne) {
    Decimal<5> zip;
    ASSERT_TRUE(zip.set(4242));
    EXPECT_FALSE(zip.set(100000));
    EXPECT_FALSE(zip.set(-100000));
    EXPECT_EQ(zip.units(), 4242);
    Decimal<18> big;
    EXPECT_TRUE(big.set(999999999999999999LL));
    EXPECT_FALSE(big.set(INT64_MIN));
}

TEST(PackedDecimal, LayoutIsTwoDigitsAByteWithTheSignLast) {
    Decimal<5> zip;
    ASSERT_TRUE(zip.set(12345));
    EXPECT_EQ(zip.bytes[0], 0x12);
    EXPECT_EQ(zip.bytes[1], 0x34);
    EXPECT_EQ(zip.bytes[2], 0x5C);
    ASSERT_TRUE(zip.set(-7));
    EXPECT_EQ(zip.bytes[0], 0x00);
    EXPECT_EQ(zip.bytes[2], 0x7D);
}

TEST(PackedDecimal, DamagedBytesAreReportedNotTrusted) {
    const unsigned char badDigit[3] = {0x1A, 0x00, 0x0C};
    const unsigned char badSign[3] = {0x00, 0x00, 0x05};
    const unsigned char unsignedPlus[3] = {0x00, 0x01, 0x2F};
    EXPECT_FALSE(decodePacked(badDigit, 3).has_value());
    EXPECT_FALSE(decodePacked(badSign, 3).has_value());
    EXPECT_EQ(decodePacked(unsignedPlus, 3), 12);
    EXPECT_FALSE(decodePacked(badDigit, 0).has_value());
}

} // namespace
