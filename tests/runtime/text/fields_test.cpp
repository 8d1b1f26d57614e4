#include <gtest/gtest.h>

#include "runtime/text/fields.h"

namespace {

using namespace runtime::text;

struct Sample {
    Long number;
    Fixed<5> name;
    Short width;
    Byte flag;
};
static_assert(sizeof(Sample) == 12);

TEST(RecordFields, FixedFieldsPadCutAndCompare) {
    Sample s{};
    s.name = "Ann";
    EXPECT_EQ(s.name.view(), "Ann  ");
    EXPECT_EQ(s.name.clipped(), "Ann");
    EXPECT_TRUE(s.name == "Ann");
    s.name = "Annabelle";
    EXPECT_EQ(s.name.view(), "Annab");
    s.name.clear();
    EXPECT_TRUE(s.name.blank());
    Fixed<8> wider("Annab");
    s.name = "Annab";
    EXPECT_TRUE(s.name == wider);
}

TEST(RecordFields, IntegersAreLittleEndianAtTheirExtremes) {
    Sample s{};
    s.number = -2;
    EXPECT_EQ(s.number.bytes[0], 0xFE);
    EXPECT_EQ(s.number.bytes[3], 0xFF);
    EXPECT_EQ(static_cast<int32_t>(s.number), -2);
    s.number = INT32_MIN;
    EXPECT_EQ(s.number.get(), INT32_MIN);
    s.number = INT32_MAX;
    EXPECT_EQ(s.number.get(), INT32_MAX);
    s.width = -32768;
    EXPECT_EQ(s.width.get(), -32768);
    s.width = 0x1234;
    EXPECT_EQ(s.width.bytes[0], 0x34);
    EXPECT_EQ(s.width.bytes[1], 0x12);
}

} // namespace
