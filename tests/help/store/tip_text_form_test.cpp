// The text form of tip files: exact round trips, readable escapes and
// refused input.
#include <cstring>
#include <gtest/gtest.h>

#include "help/store/tip_text_form.h"
#include "store_fixture.h"

namespace store_test {
namespace {

using namespace help;

template <size_t N>
std::string bytes(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

std::vector<StoredTip> awkwardTips() {
    StoredTip a = tip("  Indented", "?A\\b", "BUTTON", "line 1\r\nline 2 \r\n\r\ntab\tend\t");
    a.record.LASTEDITDATE = 81234;
    a.record.READONLY = 255;
    a.record.TIPSTYLE = 3;
    a.settings = "S  1|FONT|Arial,10,0,700\r\n";
    a.other = std::string("\x0E\x01", 2);
    StoredTip b = tip("", "", "ENTRY", bytes("lone\rcr lone\nlf nul\0 del\x7F high\xE9"));
    b.record.LASTEDITDATE = -5; // not a date: kept as a number
    b.other = bytes("\xC8\x00   rest");
    StoredTip c = tip("Main", "?Path", "TEXT", "<C:\\directory\\file.ext> \\\\server \\x41 \\r ends\\");
    c.other = "z";
    StoredTip d = tip("", "?Empty", "", "");
    return {a, b, c, d};
}

void expectSame(const std::vector<StoredTip>& got, const std::vector<StoredTip>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(std::memcmp(&got[i].record, &want[i].record, sizeof(TipRecord)), 0);
        EXPECT_EQ(got[i].helpTip, want[i].helpTip);
        EXPECT_EQ(got[i].settings, want[i].settings);
        EXPECT_EQ(got[i].other, want[i].other);
    }
}

TEST(TipTextForm, RoundTripsEveryByte) {
    const std::vector<StoredTip> tips = awkwardTips();
    const std::string text = exportTips(tips, "tips");
    std::vector<StoredTip> read;
    ASSERT_EQ(importTips(text, read), "");
    expectSame(read, tips);
    EXPECT_EQ(exportTips(read, "tips"), text);

    // A checkout that turned the line ends into CR LF reads the same.
    std::string crlf;
    for (char c : text) {
        crlf += c == '\n' ? "\r\n" : std::string(1, c);
    }
    ASSERT_EQ(importTips(crlf, read), "");
    expectSame(read, tips);
}

TEST(TipTextForm, StaysReadable) {
    const std::string text = exportTips(awkwardTips(), "tips");
    for (std::string_view line :
         {"procedure:   Indented\n", "date: 2023-05-30\n", "width: 270\n", "|line 2\\x20\n",
          "|\n|tab\tend\\x09\n", "|<C:\\directory\\file.ext> \\\\\\server \\\\x41 \\\\r ends\\\\\n",
          "width: 200\nother:    rest\n", "date: -5\n", "width: none\nother: z\n",
          "|lone\\rcr lone\\nlf nul\\x00 del\\x7F high\xE9\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
}

TEST(TipTextForm, LeftOutFieldsAreBlank) {
    std::vector<StoredTip> read;
    ASSERT_EQ(importTips("tip\ncontrol: ?OK\ntype: BUTTON\ntext:\n|Press it.\n", read), "");
    ASSERT_EQ(read.size(), 1u);
    EXPECT_TRUE(read[0].record.PROCEDURENAME.blank());
    EXPECT_EQ(read[0].record.CONTROLNAME, "?OK");
    EXPECT_EQ(read[0].helpTip, "Press it.");
    EXPECT_EQ(int32_t(read[0].record.LASTEDITDATE), 0);
    EXPECT_TRUE(read[0].other.empty() && read[0].settings.empty());
}

TEST(TipTextForm, RefusesWhatItCannotStoreExactly) {
    struct Case {
        std::string text;
        std::string problem;
    } cases[] = {
        {"procedure: Main\n", "line 1: a field before the first 'tip' line"},
        {"tip\ncolour: red\n", "line 2: unknown field 'colour'"},
        {"tip\ntype: A\ntype: B\n", "line 3: 'type' given twice in one tip"},
        {"tip\ncontrol: " + std::string(51, 'c') + "\n", "line 2: control is longer than 50 characters"},
        {"tip\ndate: 2024-02-30\n", "line 2: date '2024-02-30' is not yyyy-mm-dd, none or a day number"},
        {"tip\nstyle: 256\n", "line 2: flag '256' is not a number from 0 to 255"},
        {"tip\nwidth: wide\n", "line 2: width 'wide' is not a number from -32768 to 32767 or none"},
        {"tip\n|orphan\n", "line 2: a '|' line outside a text: or settings: block"},
        {"tip\ntext: inline\n", "line 2: the text follows on '|' lines, not after the ':'"},
        {"tip\ntext:\n|" + std::string(HelpTipSize + 1, 'x') + "\ntype: A\n",
         "line 4: the text is longer than 10000 bytes"},
        {"tip\nsettings:\n|" + std::string(SettingsSize + 1, 'x') + "\n",
         "line 3: the settings is longer than 10000 bytes"},
        {"tip\nother: " + std::string(999, 'o') + "\nwidth: 1\n",
         "line 3: width and other hold more than 1000 bytes"},
        {"just a text file\n", "line 1: expected 'tip' or 'field: value', found 'just a text file'"},
    };
    for (const Case& c : cases) {
        std::vector<StoredTip> read{tip("", "", "", "left over")};
        EXPECT_EQ(importTips(c.text, read), c.problem);
        EXPECT_TRUE(read.empty());
    }
}

class StoredTipsTest : public StoreTest {};

TEST_F(StoredTipsTest, ReadsInKeyOrderWithTypeDefaultsFirst) {
    writeTips({tip("b", "?2", "T", "4"), tip("", "", "T", "1"), tip("A", "?1", "T", "2"),
               tip("B", "?2", "T", "5"), tip("", "?1", "T", "0"), tip("a", "?1", "T", "3")});
    std::vector<StoredTip> tips = storedTips();
    std::string order;
    for (const StoredTip& t : tips) {
        order += t.helpTip;
    }
    EXPECT_EQ(order, "102345");
}

} // namespace
} // namespace store_test
