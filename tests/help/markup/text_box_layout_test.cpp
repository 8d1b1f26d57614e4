// Layouts measured in a real multi-line text box of the same font under Wine
// (the Windows-only test text_box_window_test.cpp measures them live).
#include <gtest/gtest.h>

#include "help/markup/text_box_layout.h"
#include "runtime/sys/clock.h"

namespace {

std::vector<std::string> linesOf(std::string_view text, int32_t width) {
    std::vector<std::string> lines;
    for (const help::TextBoxLine& line : help::layOutText(text, width)) {
        lines.emplace_back(text.substr(line.start, line.length));
    }
    return lines;
}

struct Layout {
    int32_t width;
    std::string text;
    std::vector<std::string> lines;
};

void check(const std::vector<Layout>& layouts) {
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(std::to_string(layout.width) + ": " + layout.text);
        EXPECT_EQ(linesOf(layout.text, layout.width), layout.lines);
    }
}

TEST(TextBoxLayout, LineEnds) {
    check({
        {160, "", {""}},
        {160, "line1\r\nline2", {"line1", "line2"}},
        {160, "end\r\n", {"end", ""}},
        {160, "a\nb", {"a", "b"}},
        {160, "ab\r\r\ncd", {"ab", "cd"}},
        {160, "a\rb", {"a\rb"}},
        {160, "a\r\r\r\nb", {"a\r", "b"}},
        {160, std::string("ab\0cd\r\nef", 9), {"ab"}},
    });
}

TEST(TextBoxLayout, WordsWrapAfterTheirBlanks) {
    check({
        {160,
         "Hello World this is a test of the word wrap in an edit control",
         {"Hello World this is a test of the ", "word wrap in an edit control"}},
        {160,
         "word     many    spaces     between   words   here   and   there",
         {"word     many    spaces     ", "between   words   here   and   ", "there"}},
        {160, "trailing   ", {"trailing   "}},
        {40, std::string(20, 'i') + "  ", {std::string(19, 'i'), "i  "}},
        {160,
         "a-b-c-d-e-f-g-h-i-j-k-l-m-n-o-p-q-r-s-t-u-v-w-x-y-z-a-b-c-d-e-f",
         {"a-b-c-d-e-f-g-h-i-j-k-l-m-n-o-p-q-r-s-t-", "u-v-w-x-y-z-a-b-c-d-e-f"}},
        {160,
         "http://www.example.com/some/path/to/a/page.html?x=1&y=2",
         {"http://www.example.com/some/", "path/to/a/page.html?x=1&y=2"}},
        {80,
         "RKZuQOBdVtin dte et.,tVkAKqiaJ  cL n.KDk   XTNGcym",
         {"RKZuQOBdVtin ", "dte ", "et.,tVkAKqiaJ  ", "cL n.KDk   ", "XTNGcym"}},
        {100,
         "drZEgqvtrxOXo,QIYmNDeILWSQryiJjgvPhtj djP, KaTPATSkpfmrDi E lBxtb",
         {"drZEgqvtrxOXo,QI", "YmNDeILWSQryiJj", "gvPhtj djP, ", "KaTPATSkpfmrDi ", "E lBxtb"}},
    });
}

TEST(TextBoxLayout, LongWordsAreCutOneCharacterBeforeTheLastThatFits) {
    std::vector<std::string> twenty(11, std::string(9, 'i'));
    twenty.back() = std::string(10, 'i');
    check({
        {20, std::string(100, 'i'), twenty},
        {160,
         "abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz",
         {"abcdefghijklmnopqrstuvwxyzabc", "defghijklmnopqrstuvwxyz"}},
        {10, "WWW", {"W", "W", "W", ""}},
        {11, "WWW", {"W", "W", "W"}},
        {6, "abc def", {"a", "b", "c", " ", "d", "e", "f"}},
        {9, "abc def", {"a", "b", "c", " ", "d", "ef"}},
        {7, "iii iii", {"ii", "i ", "iii"}},
        // The search for a break starts too far left and misses the blank.
        {40, std::string(14, 'i') + " WWWWW", {std::string(14, 'i'), " ", "WW", "WWW"}},
        // The cut starts from the width of the last line tried.
        {60, "fAzRG ssMF,  fAoSmEhGw KW Ifcfup Cf", {"fAzRG ", "ssMF,  ", "fAoSmEhGw KW Ifcfup ", "Cf"}},
    });
}

TEST(TextBoxLayout, NarrowBoxesDoNotWrap) {
    check({
        {5, "abc def", {"abc def"}},
        {0, "WWW", {"WWW"}},
        {-20, "a b", {"a b"}},
    });
}

TEST(TextBoxLayout, InvisibleCharactersAndTheBlanksAfterThem) {
    check({
        {40, std::string(19, 'i') + "\xAD i", {std::string(19, 'i') + "\xAD i"}},
        {40, std::string(20, 'i') + "\x7F   ", {std::string(20, 'i') + "\x7F   "}},
    });
}

TEST(TextBoxLayout, FramesAndScrollBarTakeFromTheWidth) {
    using help::TextBoxBorder;
    EXPECT_EQ(help::formattingWidth(160, TextBoxBorder::None, false), 160);
    EXPECT_EQ(help::formattingWidth(160, TextBoxBorder::Line, false), 156);
    EXPECT_EQ(help::formattingWidth(160, TextBoxBorder::Sunken, false), 154);
    EXPECT_EQ(help::formattingWidth(160, TextBoxBorder::None, true), 143);
    EXPECT_EQ(help::formattingWidth(160, TextBoxBorder::Line, true), 139);
}

TEST(EmulatedTextBox, NumbersLinesFromOneAndHandsOverAtMost511Characters) {
    help::EmulatedTextBox box(std::string(600, 'x') + "\r\nlast", 100000);
    ASSERT_EQ(box.lineCount(), 2);
    EXPECT_EQ(box.line(1), std::string(511, 'x'));
    EXPECT_EQ(box.line(2), "last");
    EXPECT_EQ(box.line(0), "");
    EXPECT_EQ(box.line(3), "");
}

TEST(YieldUntilClockAdvances, WaitsForMoreThanTheGivenHundredthsAlsoOverMidnight) {
    constexpr int32_t Midnight = 24 * 60 * 60 * 100;
    for (int32_t start : {1000, Midnight - 3, Midnight - 1}) {
        SCOPED_TRACE(start);
        runtime::ScopedFixedTime time(1, start);
        int32_t now = start;
        int32_t yields = 0;
        help::yieldUntilClockAdvances([&] {
            ++yields;
            now = (now + 1) % Midnight;
            time.set(1, now);
        });
        EXPECT_EQ(yields, 6);
    }
}

} // namespace
