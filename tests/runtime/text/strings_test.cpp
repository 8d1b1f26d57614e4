#include <gtest/gtest.h>

#include "runtime/text/strings.h"

namespace {

using namespace runtime::text;

TEST(FixedText, CutsAndPadsAtTheWidth) {
    EXPECT_EQ(fixed("abc", 5), "abc  ");
    EXPECT_EQ(fixed("abcdef", 4), "abcd");
    EXPECT_EQ(fixed("", 3), "   ");
    EXPECT_EQ(fixed("abc", 0), "");

    char field[6];
    assignFixed(field, 4, "xy");
    field[4] = '#';
    EXPECT_EQ(std::string(field, 5), "xy  #") << "must not write past the width";
    assignFixed(field, 4, "toolong");
    EXPECT_EQ(std::string(field, 5), "tool#");
}

TEST(FixedText, ClipsAndTrimsBlanks) {
    EXPECT_EQ(clip("ab  "), "ab");
    EXPECT_EQ(clip(std::string_view("ab\0\0", 4)), "ab");
    EXPECT_EQ(clip("  "), "");
    EXPECT_EQ(clip(" a b "), " a b");
    EXPECT_EQ(trimLeft("  a "), "a ");
    EXPECT_EQ(trim("  a b  "), "a b");
    EXPECT_TRUE(isBlank("    "));
    EXPECT_TRUE(isBlank(""));
    EXPECT_FALSE(isBlank("  .  "));
}

TEST(FixedText, ComparesAsSpacePaddedStrings) {
    EXPECT_TRUE(equalPadded("Main", "Main      "));
    EXPECT_FALSE(equalPadded("Main", "main"));
    EXPECT_LT(comparePadded("ab", "ab!"), 0) << "a blank sorts before '!'";
    EXPECT_GT(comparePadded("abc", "ab"), 0);
    EXPECT_EQ(comparePadded("", "   "), 0);
    EXPECT_GT(comparePadded("\xE9", "z"), 0) << "bytes above 127 sort after ASCII";
}

TEST(FixedText, CaseRulesTouchOnlyAsciiLetters) {
    EXPECT_EQ(upper("?Cus:Name 1\xE9"), "?CUS:NAME 1\xE9");
    EXPECT_EQ(lower("HTTP://WWW.X"), "http://www.x");
    EXPECT_TRUE(equalNoCase("?customers:button", "?Customers:Button  "));
    EXPECT_LT(compareNoCase("apple", "Banana"), 0);
    EXPECT_FALSE(equalNoCase("a", "b"));
}

TEST(FixedText, SearchesWithStepAndStart) {
    EXPECT_EQ(instring("<HR>", "<HR>"), 1u);
    EXPECT_EQ(instring("<HR>", "ab<HR>", 4), 0u) << "position 3 is not tried in steps of four";
    EXPECT_EQ(instring("<HR>", "abcd<HR>", 4), 5u);
    EXPECT_EQ(instring("b", "abcb", 1, 3), 4u);
    EXPECT_EQ(instring("", "abc"), 0u);
    EXPECT_EQ(instring("abcd", "abc"), 0u);
}

TEST(FixedText, SubstringsAreClippedToTheText) {
    EXPECT_EQ(sub("abcdef", 2, 3), "bcd");
    EXPECT_EQ(sub("abc", 2, 10), "bc");
    EXPECT_EQ(sub("abc", 4, 1), "");
    EXPECT_EQ(sub("abc", 0, 1), "");
}

TEST(FixedText, ReplaceAllDoesNotRescanInsertedText) {
    EXPECT_EQ(replaceAll("a%Fa%F", "%F", "x"), "axax");
    EXPECT_EQ(replaceAll("%F", "%F", "%F%F"), "%F%F");
    EXPECT_EQ(replaceAll("abc", "", "x"), "abc");
}

} // namespace
