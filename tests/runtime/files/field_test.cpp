#include <gtest/gtest.h>

#include "runtime/files/field.h"

namespace {

using namespace runtime::files;

TEST(RecordField, NumbersRoundTripAndRefuseWhatDoesNotFit) {
    unsigned char record[16] = {};
    Field byte{"B", FieldType::Byte, 0, 1};
    Field shortField{"S", FieldType::Short, 1, 2};
    Field longField{"L", FieldType::Long, 3, 4};
    Field zip{"Z", FieldType::Decimal, 7, 3, 5, 0};
    for (const Field& f : {byte, shortField, longField, zip}) {
        EXPECT_TRUE(wellFormed(f)) << f.name;
    }
    EXPECT_TRUE(writeNumber(byte, record, 255));
    EXPECT_FALSE(writeNumber(byte, record, 256));
    EXPECT_EQ(readNumber(byte, record), 255);
    EXPECT_TRUE(writeNumber(shortField, record, -32768));
    EXPECT_FALSE(writeNumber(shortField, record, 32768));
    EXPECT_EQ(readNumber(shortField, record), -32768);
    EXPECT_TRUE(writeNumber(longField, record, INT32_MIN));
    EXPECT_EQ(readNumber(longField, record), INT32_MIN);
    EXPECT_TRUE(writeNumber(zip, record, 99999));
    EXPECT_FALSE(writeNumber(zip, record, 100000));
    EXPECT_EQ(readNumber(zip, record), 99999);
    EXPECT_EQ(readText(zip, record), "99999");
    EXPECT_EQ(readNumber(byte, record), 255) << "neighbours untouched";
}

TEST(RecordField, TextIsPaddedAndCutAtTheFieldWidth) {
    char record[8];
    std::fill(std::begin(record), std::end(record), '#');
    Field name{"N", FieldType::String, 1, 5};
    writeText(name, record, "ab");
    EXPECT_EQ(readText(name, record), "ab   ");
    writeText(name, record, "abcdefgh");
    EXPECT_EQ(readText(name, record), "abcde");
    EXPECT_EQ(record[0], '#');
    EXPECT_EQ(record[6], '#');
}

TEST(RecordField, MalformedDeclarationsAreRecognised) {
    EXPECT_FALSE(wellFormed(Field{"L", FieldType::Long, 0, 2}));
    EXPECT_FALSE(wellFormed(Field{"S", FieldType::String, 0, 0}));
    EXPECT_FALSE(wellFormed(Field{"D", FieldType::Decimal, 0, 2, 5, 0}));
    EXPECT_FALSE(wellFormed(Field{"D", FieldType::Decimal, 0, 3, 5, 6}));
}

} // namespace
