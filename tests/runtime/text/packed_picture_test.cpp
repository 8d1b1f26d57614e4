#include <gtest/gtest.h>

#include "runtime/text/packed_picture.h"

namespace {

using namespace runtime::text;

TEST(PackedThroughPictures, ZipCodeFillsItsFiveDigits) {
    // The customer's ZIP: 5 digits in 3 bytes, shown and entered as "s7".
    Picture s7 = *Picture::parse("s7");
    Decimal<5> zip;
    EXPECT_EQ(format(s7, zip), "0      ");
    ASSERT_TRUE(readInto(s7, "99999", zip));
    EXPECT_EQ(zip.units(), 99999);
    EXPECT_EQ(format(s7, zip), "99999  ");
    ASSERT_TRUE(readInto(s7, " 02134 ", zip));
    EXPECT_EQ(format(s7, zip), "2134   ");

    EXPECT_FALSE(readInto(s7, "100000", zip)) << "six digits do not fit five";
    EXPECT_FALSE(readInto(s7, "1234567", zip));
    EXPECT_FALSE(readInto(s7, "12345678", zip)) << "longer than the picture";
    EXPECT_FALSE(readInto(s7, "1.5", zip)) << "the field keeps no places";
    EXPECT_FALSE(readInto(s7, "02l34", zip));
    EXPECT_EQ(zip.units(), 2134) << "a refused entry leaves the field as it was";
}

TEST(PackedThroughPictures, PhoneNumberFillsItsElevenDigits) {
    // The customer's phone: 11 digits in 6 bytes, shown and entered as "s15".
    Picture s15 = *Picture::parse("s15");
    Decimal<11> phone;
    ASSERT_TRUE(readInto(s15, "99999999999", phone));
    EXPECT_EQ(phone.units(), 99999999999LL);
    EXPECT_EQ(format(s15, phone), "99999999999    ");
    ASSERT_TRUE(readInto(s15, "-99999999999", phone));
    EXPECT_EQ(format(s15, phone), "-99999999999   ");
    EXPECT_FALSE(readInto(s15, "100000000000", phone));
    EXPECT_FALSE(readInto(s15, "(800) 555-1234", phone));
    EXPECT_EQ(phone.units(), -99999999999LL);

    Picture n13 = *Picture::parse("n-13");
    ASSERT_TRUE(readInto(n13, "18005551234", phone));
    EXPECT_EQ(format(n13, phone), "  18005551234");
}

TEST(PackedThroughPictures, PlacesAreKeptExactly) {
    Picture money = *Picture::parse("n-,13.2");
    Decimal<9, 2> amount;
    ASSERT_TRUE(readInto(money, "-1,234,567.8", amount));
    EXPECT_EQ(amount.units(), -123456780);
    EXPECT_EQ(format(money, amount), "-1,234,567.80");
    EXPECT_FALSE(readInto(*Picture::parse("n-,12.2"), "-1,234,567.8", amount))
        << "thirteen places shown in twelve";

    Picture threePlaces = *Picture::parse("n10.3");
    EXPECT_FALSE(readInto(threePlaces, "1.005", amount))
        << "the field keeps two places, the third would be lost";
    ASSERT_TRUE(readInto(threePlaces, "1.050", amount));
    EXPECT_EQ(amount.units(), 105);
    EXPECT_EQ(format(threePlaces, amount), "     1.050");
}

TEST(PackedThroughPictures, DamagedBytesShowAsHashes) {
    Decimal<5> zip;
    zip.bytes = {0x1A, 0x00, 0x0C};
    EXPECT_EQ(format(*Picture::parse("s7"), zip), "#######");
    EXPECT_EQ(format(*Picture::parse("n-5"), zip), "#####");
}

} // namespace
