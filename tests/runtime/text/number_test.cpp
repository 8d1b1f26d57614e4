#include <gtest/gtest.h>
#include <limits>

#include "runtime/text/number.h"

namespace {

using namespace runtime::text;

constexpr int64_t Max = std::numeric_limits<int64_t>::max();
constexpr int64_t Min = std::numeric_limits<int64_t>::min();

TEST(Numbers, RescaleRoundsHalfAwayFromZeroAndRefusesOverflow) {
    EXPECT_EQ(rescale({125, 2}, 1), 13);
    EXPECT_EQ(rescale({-125, 2}, 1), -13);
    EXPECT_EQ(rescale({-149, 2}, 0), -1);
    EXPECT_EQ(rescale({Min, 9}, 0), Min / 1000000000 - 1);
    EXPECT_FALSE(rescale({Max / 10 + 1, 0}, 1).has_value());
    EXPECT_FALSE(rescale({Min / 100 - 1, 0}, 2).has_value());
    EXPECT_FALSE(rescale({1, 0}, MaxPlaces + 1).has_value());
    EXPECT_EQ(rescaleExact({150, 2}, 1), 15);
    EXPECT_FALSE(rescaleExact({155, 2}, 1).has_value()) << "a digit would be lost";
}

TEST(Numbers, PlainTextReadsBackAndJunkIsRefused) {
    for (Number n :
         {Number{0, 0}, Number{-1, 2}, Number{-1250, 2}, Number{999999999999999999LL, 0}, Number{1, 9}}) {
        EXPECT_EQ(readPlainNumber(plainText(n)), n) << plainText(n);
    }
    EXPECT_EQ(plainText({Min, 0}), "-9223372036854775808");
    EXPECT_FALSE(readPlainNumber("9999999999999999999").has_value()) << "more digits than a number holds";
    EXPECT_EQ(readPlainNumber("000000000000000000000001"), (Number{1, 0}))
        << "leading zeros are not significant";
    for (const char* junk : {"-", ".", "-.", "1-", "--1", "1e5", "0x10", "1,000", "1..2", "one"}) {
        EXPECT_FALSE(readPlainNumber(junk).has_value()) << junk;
    }
}

} // namespace
