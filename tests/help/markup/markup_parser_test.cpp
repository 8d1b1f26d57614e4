#include <gtest/gtest.h>

#include "help/markup/markup_parser.h"
#include "help/markup/text_box_layout.h"
#include "parse_support.h"
#include "support/scripted_interaction.h"

namespace {

using markup_testing::describe;
using markup_testing::GivenLines;
using markup_testing::reportedLines;

struct Case {
    std::string title;
    std::vector<std::string> lines;
    std::vector<std::string> entries;
    std::vector<int32_t> reported = {};
};

void check(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        testing_support::ScriptedInteraction boxes;
        runtime::ScopedInteraction scope(boxes);
        GivenLines lines(c.lines);
        help::ControlList list;
        help::parseMarkup(lines, list);
        EXPECT_EQ(describe(list), c.entries);
        EXPECT_EQ(reportedLines(boxes), c.reported);
    }
}

TEST(MarkupParser, TextRunsSeparatorsAndBlankLines) {
    check({
        {"one run keeps its case and inner blanks", {"Hello  World"}, {"String S  1 [Hello  World] @1"}},
        {"a bar ends a run on the same row",
         {"left|right"},
         {"String S  1 [left] @1", "String S  2 [right] @1"}},
        {"two bars give an empty run between",
         {"a||b"},
         {"String S  1 [a] @1", "String S  2 [] @1", "String S  3 [b] @1"}},
        {"a bar at the end adds the run, nothing after", {"a|"}, {"String S  1 [a] @1"}},
        {"a bar alone adds an empty run", {"|"}, {"String S  1 [] @1"}},
        {"two brackets are one literal bracket", {"1 << 2"}, {"String S  1 [1 < 2] @1"}},
        {"two brackets before T are text, not a bullet", {"<<T>"}, {"String S  1 [<T>] @1"}},
        {"blank lines are empty unnamed rows and do not count",
         {"a", "", "   ", "b"},
         {"String S  1 [a] @1", "String [] @2", "String [] @3", "String S  2 [b] @4"}},
        {"trailing blanks end the line", {"text   "}, {"String S  1 [text] @1"}},
        {"an unknown tag drops only its bracket",
         {"a<x b>c"},
         {"String S  1 [a] @1", "String S  2 [x b>c] @1"}},
    });
}

TEST(MarkupParser, StringNamesAreRightAlignedInThreePlaces) {
    std::string many;
    for (int i = 1; i <= 123; ++i) {
        many += "x|";
    }
    GivenLines lines({many});
    help::ControlList list;
    help::parseMarkup(lines, list);
    ASSERT_EQ(list.size(), 123u);
    EXPECT_EQ(list[0].NAME.clipped(), "S  1");
    EXPECT_EQ(list[11].NAME.clipped(), "S 12");
    EXPECT_EQ(list[122].NAME.clipped(), "S123");
    EXPECT_EQ(list[122].CONTROLNUMBER, 123);
}

TEST(MarkupParser, RulesOnlyWhereTheTagStartsAtAMultipleOfFourPlusOne) {
    check({
        {"upper case", {"<HR>"}, {"Line [] @1"}},
        {"lower case", {"<hr>"}, {"Line [] @1"}},
        {"at position 5 the whole line is a rule", {"abcd<HR>efg"}, {"Line [] @1"}},
        {"at position 3 the H makes a hyperlink to HR",
         {"ab<HR>"},
         {"String S  1 [ab] @1", "HTTP HTTP1 [HR] @1", "REGION Region1 [HR] @1"}},
        {"a rule does not take a name",
         {"a", "<HR>", "b"},
         {"String S  1 [a] @1", "Line [] @2", "String S  2 [b] @3"}},
    });
}

TEST(MarkupParser, BulletsAndButtons) {
    check({
        {"bullet then a word beginning with H is text",
         {"<T>Hello"},
         {"BULLET T [] @1", "String S  1 [Hello] @1"}},
        {"button names are upper-cased", {"<b1> <B2>"}, {"BUTTON B1 [] @1", "BUTTON B2 [] @1"}},
        {"four characters is the longest name", {"<Bxyz>"}, {"BUTTON BXYZ [] @1"}},
        {"five characters is not completed; the rest is text", {"<B1234>"}, {"String S  1 [B1234>] @1"}, {1}},
        {"a bullet without its bracket on the line",
         {"a <T"},
         {"String S  1 [a] @1", "String S  2 [T] @1"},
         {1}},
        {"text before a tag is its own run",
         {"Press <B1> to start"},
         {"String S  1 [Press] @1", "BUTTON B1 [] @1", "String S  2 [ to start] @1"}},
    });
}

TEST(MarkupParser, Hyperlinks) {
    check({
        {"web address",
         {"<http://example.com/a.html>"},
         {"HTTP HTTP1 [http://example.com/a.html] @1", "REGION Region1 [http://example.com/a.html] @1"}},
        {"www",
         {"<www.example.com>"},
         {"HTTP HTTP1 [www.example.com] @1", "REGION Region1 [www.example.com] @1"}},
        {"file URL",
         {"<FILE://Machine/dir/f.ext>"},
         {"HTTP HTTP1 [FILE://Machine/dir/f.ext] @1", "REGION Region1 [FILE://Machine/dir/f.ext] @1"}},
        {"drive path",
         {"<C:\\dir\\file.ext>"},
         {"HTTP HTTP1 [C:\\dir\\file.ext] @1", "REGION Region1 [C:\\dir\\file.ext] @1"}},
        {"documentation topic", {"<#topic>"}, {"HTTP HTTP1 [#topic] @1", "REGION Region1 [#topic] @1"}},
        {"compiled help in any case",
         {"<Guide.chm::/page.htm#x>"},
         {"HTTP HTTP1 [Guide.chm::/page.htm#x] @1", "REGION Region1 [Guide.chm::/page.htm#x] @1"}},
        {"alias",
         {"<S\"short name\"full link name>"},
         {"HTTP HTTP1 [full link name] @1 as [short name]",
          "REGION Region1 [full link name] @1 as [short name]"}},
        {"S without a closed quote is a plain hyperlink",
         {"<S\"open>"},
         {"HTTP HTTP1 [S\"open] @1", "REGION Region1 [S\"open] @1"}},
        {"counters go on per kind",
         {"<www.a.com><LNK=b><www.c.com>"},
         {"HTTP HTTP1 [www.a.com] @1", "REGION Region1 [www.a.com] @1", "LNK LNK1 [b] @1",
          "REGION Region2 [b] @1", "HTTP HTTP2 [www.c.com] @1", "REGION Region3 [www.c.com] @1"}},
        {"80 characters of target is the most",
         {"<h" + std::string(79, 'x') + ">"},
         {"HTTP HTTP1 [h" + std::string(79, 'x') + "] @1",
          "REGION Region1 [h" + std::string(79, 'x') + "] @1"}},
        {"81 characters is not completed",
         {"<h" + std::string(80, 'x') + ">"},
         {"String S  1 [h" + std::string(80, 'x') + ">] @1"},
         {1}},
    });
}

TEST(MarkupParser, TipLinks) {
    check({
        {"link text after LNK=", {"<LNK=Page 2>"}, {"LNK LNK1 [Page 2] @1", "REGION Region1 [Page 2] @1"}},
        {"lower case", {"<lnk=next>"}, {"LNK LNK1 [next] @1", "REGION Region1 [next] @1"}},
        {"no closing bracket", {"<LNK=Page 2"}, {"String S  1 [LNK=Page 2] @1"}, {1}},
    });
}

TEST(MarkupParser, TagsWrappedByTheTextBoxAreJoined) {
    check({
        {"over two lines",
         {"See <http://www.example.", "com/x.html> now"},
         {"String S  1 [See] @1", "HTTP HTTP1 [http://www.example.com/x.html] @1",
          "REGION Region1 [http://www.example.com/x.html] @1", "String S  2 [ now] @2"}},
        {"over three lines",
         {"<S\"Our ", "web site\"www.exa", "mple.com>"},
         {"HTTP HTTP1 [www.example.com] @1 as [Our web site]",
          "REGION Region1 [www.example.com] @1 as [Our web site]"}},
        {"over four lines it is not completed",
         {"<www.", "a", "b", "c>"},
         {"String S  1 [www.] @1", "String S  2 [a] @2", "String S  3 [b] @3", "String S  4 [c>] @4"},
         {1}},
        {"a bracket before the closing one stops the join",
         {"<www.a", "<T>b>"},
         {"String S  1 [www.a] @1", "BULLET T [] @2", "String S  2 [b>] @2"},
         {1}},
        {"the line after a join is read next",
         {"<LNK=a", "b>", "c"},
         {"LNK LNK1 [ab] @1", "REGION Region1 [ab] @1", "String S  1 [c] @3"}},
        {"a bracket ending its line takes its tag from the next",
         {"x <", "www.a.com>"},
         {"String S  1 [x] @1", "HTTP HTTP1 [www.a.com] @1", "REGION Region1 [www.a.com] @1"}},
        {"button tags are not joined", {"<B", "1>"}, {"String S  1 [B] @1", "String S  2 [1>] @2"}, {1}},
    });
}

TEST(MarkupParser, ReadsTheLinesAsTheTextBoxWrapsThem) {
    struct Case {
        std::string title;
        int32_t width;
        std::vector<std::string> entries;
        std::vector<int32_t> reported;
    };
    const std::string text = "See <http://www.example.com/a/long/path/page.html> now\r\nnext";
    const std::vector<Case> cases = {
        {"one line",
         400,
         {"String S  1 [See] @1", "HTTP HTTP1 [http://www.example.com/a/long/path/page.html] @1",
          "REGION Region1 [http://www.example.com/a/long/path/page.html] @1", "String S  2 [ now] @1",
          "String S  3 [next] @2"},
         {}},
        {"wrapped over two lines",
         160,
         {"String S  1 [See] @1", "HTTP HTTP1 [http://www.example.com/a/long/path/page.html] @1",
          "REGION Region1 [http://www.example.com/a/long/path/page.html] @1", "String S  2 [ now] @2",
          "String S  3 [next] @3"},
         {}},
        {"wrapped over four lines",
         60,
         {"String S  1 [See] @1", "String S  2 [http://] @2", "String S  3 [www.examp] @3",
          "String S  4 [le.com/a/] @4", "String S  5 [long/path/] @5", "String S  6 [page.html>] @6",
          "String S  7 [now] @7", "String S  8 [next] @8"},
         {2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        testing_support::ScriptedInteraction boxes;
        runtime::ScopedInteraction scope(boxes);
        help::EmulatedTextBox box(text, c.width);
        help::ControlList list;
        help::parseMarkup(box, list);
        EXPECT_EQ(describe(list), c.entries);
        EXPECT_EQ(reportedLines(boxes), c.reported);
    }
}

TEST(MarkupParser, EachParseStartsAfresh) {
    testing_support::ScriptedInteraction boxes;
    runtime::ScopedInteraction scope(boxes);
    GivenLines lines({"a|<www.b.com>"});
    help::ControlList list;
    help::parseMarkup(lines, list);
    help::parseMarkup(lines, list);
    EXPECT_EQ(describe(list), (std::vector<std::string>{"String S  1 [a] @1", "HTTP HTTP1 [www.b.com] @1",
                                                        "REGION Region1 [www.b.com] @1"}));
    EXPECT_EQ(list[2].CONTROLNUMBER, 3);
    EXPECT_EQ(lines.settled, 2);
}

TEST(MarkupParser, ReportsWithTheFormattingCaptionAndOneButton) {
    testing_support::ScriptedInteraction boxes;
    runtime::ScopedInteraction scope(boxes);
    GivenLines lines({"ok", "<T"});
    help::ControlList list;
    help::parseMarkup(lines, list);
    ASSERT_EQ(boxes.messages().size(), 1u);
    EXPECT_EQ(boxes.messages()[0].text, "Control not completed|Line:2");
    EXPECT_EQ(boxes.messages()[0].title, "Ruvo - Control Formatting");
    EXPECT_EQ(boxes.messages()[0].buttons, runtime::button::Ok);
}

TEST(MarkupParser, ReadsAtMost511CharactersOfALine) {
    GivenLines lines({std::string(511, 'a') + "<T>"});
    help::ControlList list;
    help::parseMarkup(lines, list);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].TEXT, std::string(511, 'a'));
}

TEST(TipLinkTarget, ALinkLeadsToTheTipNamedAfterItsTextWithoutSpaces) {
    GivenLines lines({"<LNK=Page 2>"});
    help::ControlList list;
    help::parseMarkup(lines, list);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(help::withoutSpaces(list[0].TEXT), "Page2");
}

TEST(TipLinkTarget, SpacesAreRemovedFromTheFirst60Characters) {
    EXPECT_EQ(help::withoutSpaces("Page 2"), "Page2");
    EXPECT_EQ(help::withoutSpaces(" a b "), "ab");
    EXPECT_EQ(help::withoutSpaces(std::string(59, ' ') + "xy"), "x");
    EXPECT_EQ(help::withoutSpaces(std::string(70, 'z')), std::string(50, 'z'));
}

} // namespace
