#include <gtest/gtest.h>

#include "runtime/text/dates.h"
#include "runtime/text/picture.h"

namespace {

using namespace runtime::text;

Picture pic(std::string_view text) {
    auto picture = Picture::parse(text);
    EXPECT_TRUE(picture.has_value()) << text;
    return picture.value_or(*Picture::parse("s1"));
}

TEST(PictureLanguage, AcceptsEveryFormWithOrWithoutTheAt) {
    for (const char* text : {"s2", "@s30", "@S80", "s255", "n-13", "@N-16", "n10.2", "n-,14.2", "n05",
                             "n-010.0", "n1", "n3.1", " @d10 ", "D10"}) {
        EXPECT_TRUE(Picture::parse(text).has_value()) << '"' << text << '"';
    }
    EXPECT_EQ(Picture::parse("@s80")->width(), 80);
    EXPECT_EQ(Picture::parse("n-,14.2")->places(), 2);
}

TEST(PictureLanguage, RefusesMalformedPictures) {
    for (const char* text :
         {"",     "@",   "s",   "s0",    "s256",   "s05",   "x10",    "n",          "n-",
          "n0",   "n00", "n31", "n10.",  "n10.10", "n3.2",  "n,-10",  "n0,10",      "n-10-",
          "n1 0", "d8",  "d",   "d10.2", "s10x",   "@@s10", "n-13\n", "n9999999999"}) {
        EXPECT_FALSE(Picture::parse(text).has_value()) << '"' << text << '"';
    }
}

TEST(PictureDisplay, NumbersAreRightJustifiedInTheirWidth) {
    struct Case {
        const char* picture;
        Number value;
        const char* display;
    };
    const Case cases[] = {
        {"n-13", {-1234, 0}, "        -1234"},
        {"n-13", {0, 0}, "            0"},
        {"n-13", {2147483647, 0}, "   2147483647"},
        {"n-16", {-9223372036854775807LL - 1, 0}, "################"},
        {"n-20", {-9223372036854775807LL - 1, 0}, "-9223372036854775808"},
        {"n,10", {1234567, 0}, " 1,234,567"},
        {"n-,10", {-123456, 0}, "  -123,456"},
        {"n,5", {999, 0}, "  999"},
        {"n05", {42, 0}, "00042"},
        {"n-05", {-42, 0}, "-0042"},
        {"n10.2", {15, 1}, "      1.50"},
        {"n10.2", {5, 2}, "      0.05"},
        {"n10.2", {12345, 3}, "     12.35"}, // rounds half away from zero
        {"n-10.2", {-12345, 3}, "    -12.35"},
        {"n-10.2", {-4, 3}, "      0.00"}, // no minus on a value that rounds to zero
        {"n5", {12345, 0}, "12345"},
        {"n5", {123456, 0}, "#####"},
        {"n5", {-1, 0}, "#####"}, // no "-" in the picture: no negatives
        {"n-5", {-1234, 0}, "-1234"},
        {"n-5", {-12345, 0}, "#####"},
        {"n,4", {1000, 0}, "####"}, // "1,000" needs five places
        {"s7", {12345, 0}, "12345  "},
        {"s3", {12345, 0}, "###"},
        {"s15", {18005551234LL, 0}, "18005551234    "},
        {"d10", {0, 0}, "          "},
        {"d10", {1, 0}, "1801-01-01"},
        {"d10", {81509, 0}, "2024-02-29"},
        {"d10", {-5, 0}, "##########"},
        {"d10", {15, 1}, "##########"}, // a day number has no fraction
    };
    for (const Case& c : cases) {
        Picture p = pic(c.picture);
        EXPECT_EQ(p.format(c.value), c.display) << c.picture << " " << c.value.units << "/" << c.value.places;
        EXPECT_EQ(p.format(c.value).size(), static_cast<size_t>(p.width())) << c.picture;
    }
}

TEST(PictureDisplay, TextIsCutOrPaddedAndNumbersInTextAreRead) {
    EXPECT_EQ(pic("s5").format(std::string_view("ab")), "ab   ");
    EXPECT_EQ(pic("s5").format(std::string_view("abcdefg")), "abcde");
    EXPECT_EQ(pic("@s2").format(std::string_view("")), "  ");
    EXPECT_EQ(pic("n-8.1").format(std::string_view(" -12.25 ")), "   -12.3");
    EXPECT_EQ(pic("n-8").format(std::string_view("")), "       0");
    EXPECT_EQ(pic("n-8").format(std::string_view("12a")), "########");
    EXPECT_EQ(pic("d10").format(std::string_view("81509")), "2024-02-29");
}

TEST(PictureEntry, RoundTripsWhatItShows) {
    struct Case {
        const char* picture;
        const char* entered;
        Number value;
    };
    const Case cases[] = {
        {"n-13", "-1234", {-1234, 0}},
        {"n-13", "", {0, 0}},
        {"n-13", "007", {7, 0}},
        {"n-13", "1234567890123", {1234567890123LL, 0}},
        {"n-13", "-123456789012", {-123456789012LL, 0}},
        {"n,10", "1,234,567", {1234567, 0}},
        {"n,10", "1234567", {1234567, 0}},
        {"n10.2", "1.5", {150, 2}},
        {"n10.2", "3.", {300, 2}},
        {"n-10.2", "-0.01", {-1, 2}},
        {"n05", "00042", {42, 0}},
        {"d10", "2024-02-29", {81509, 0}},
        {"d10", "1801-1-1", {1, 0}},
        {"d10", "9999-12-31", {LastDay, 0}},
        {"d10", "   ", {0, 0}},
        {"s7", "12345", {12345, 0}},
        {"s7", "-1.25", {-125, 2}},
    };
    for (const Case& c : cases) {
        Picture p = pic(c.picture);
        auto read = p.readNumber(c.entered);
        ASSERT_TRUE(read.has_value()) << c.picture << " '" << c.entered << "'";
        EXPECT_EQ(rescale(*read, c.value.places), c.value.units) << c.picture << " '" << c.entered << "'";
        // What is shown reads back as the same value.
        auto again = p.readNumber(p.format(*read));
        ASSERT_TRUE(again.has_value()) << c.picture << " '" << p.format(*read) << "'";
        EXPECT_EQ(rescale(*again, c.value.places), c.value.units) << c.picture;
    }
}

TEST(PictureEntry, RefusesJunkAndWhatDoesNotFit) {
    struct Case {
        const char* picture;
        const char* entered;
    };
    const Case cases[] = {
        {"n-13", "12a"},
        {"n-13", "--5"},
        {"n-13", "-"},
        {"n-13", "5-"},
        {"n-13", "- 5"},
        {"n-13", "1 2"},
        {"n-13", "+5"},
        {"n-13", "."},
        {"n-13", "1.5"},                 // no places in the picture
        {"n-13", "12345678901234"},      // 14 digits in 13 places
        {"n-13", "-1234567890123"},      // the minus needs a place too
        {"n-30", "1234567890123456789"}, // beyond what a number holds
        {"n13", "-5"},                   // no negatives in this picture
        {"n-13", "1,234"},               // no grouping in this picture
        {"n,10", "1,23"},
        {"n,10", "12,3456"},
        {"n,10", ",123"},
        {"n,10", "1234,567"},
        {"n,10", "1,234,"},
        {"n,5", "12,345"},
        {"n10.2", "1.234"},
        {"n10.2", "1.2.3"},
        {"n10.2", "12345678.9"},
        {"d10", "2023-02-29"},
        {"d10", "2024-13-01"},
        {"d10", "2024-04-31"},
        {"d10", "1800-12-31"},
        {"d10", "20240101"},
        {"d10", "2024-01-01x"},
        {"d10", "2024/01/01"},
        {"d10", "10000-01-01"},
        {"s5", "123456"},
        {"s5", "abc"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(pic(c.picture).readNumber(c.entered).has_value())
            << c.picture << " '" << c.entered << "'";
    }
}

TEST(PictureEntry, TextForTextVariables) {
    EXPECT_EQ(pic("s5").readText("abc   "), "abc");
    EXPECT_EQ(pic("s5").readText("  abc"), "  abc");
    EXPECT_FALSE(pic("s5").readText("abcdef").has_value()) << "typed text is never cut silently";
    EXPECT_EQ(pic("n-8.2").readText("-1.5"), "-1.50");
    EXPECT_EQ(pic("d10").readText("2024-02-29"), "81509");
    EXPECT_FALSE(pic("n5").readText("x").has_value());
}

TEST(PictureEntry, NeverCrashesOnAnyShortInput) {
    const char alphabet[] = {'0', '9', '-', ',', '.', ' ', 'a', '\0', '\xff'};
    const Picture pictures[] = {pic("n-,12.2"), pic("n05"), pic("d10"), pic("s3")};
    std::string text;
    for (int n = 0; n < 9 * 9 * 9 * 9; ++n) {
        text.clear();
        for (int k = n; k > 0; k /= 9) {
            text.push_back(alphabet[k % 9]);
        }
        for (const Picture& p : pictures) {
            auto value = p.readNumber(text);
            if (value) {
                EXPECT_EQ(p.format(*value).size(), static_cast<size_t>(p.width()));
            }
            (void)Picture::parse(text);
        }
    }
}

} // namespace
