#include <gtest/gtest.h>

#include "help/markup/markup_parser.h"
#include "help/tipwindow/content_layout.h"
#include "runtime/sys/events.h"
#include "support/scripted_interaction.h"

namespace {

using runtime::ui::ControlDefinition;
using runtime::ui::Rect;
namespace kind = runtime::kind;

class Lines : public help::LineSource {
public:
    explicit Lines(std::vector<std::string> lines) : lines_(std::move(lines)) {}
    void settle() override {}
    int32_t lineCount() override { return static_cast<int32_t>(lines_.size()); }
    std::string line(int32_t n) override { return lines_.at(static_cast<size_t>(n) - 1); }

private:
    std::vector<std::string> lines_;
};

// Labels are 5 pixels a character; everything else keeps the width it is given.
class Recorder : public help::ContentSink {
public:
    int32_t create(const ControlDefinition& control) override {
        made.push_back(control);
        if (control.kind == kind::String) {
            return 5 * static_cast<int32_t>(control.text.size());
        }
        return control.at.width;
    }
    std::vector<ControlDefinition> made;
};

help::ControlList parse(std::vector<std::string> lines) {
    testing_support::ScriptedInteraction boxes;
    runtime::ScopedInteraction scope(boxes);
    Lines source(std::move(lines));
    help::ControlList list;
    help::parseMarkup(source, list);
    return list;
}

struct Laid {
    std::vector<ControlDefinition> made;
    int32_t penY = 0;
};

Laid layOut(const help::ControlList& list, const help::SettingsList& settings = {}, int32_t tipWidth = 270) {
    Recorder recorder;
    int32_t penY = help::layOutContent(list, settings, {tipWidth, 0xECFFFE}, recorder);
    return {recorder.made, penY};
}

TEST(ContentLayout, EveryKindInItsPlace) {
    help::ControlList list = parse({
        "Intro|more",                           // S1 (17,8) 25 wide, S2 (42,8)
        "<HR>",                                 // line at (17, 25), 229 wide
        "<T>Item<B1>end",                       // bullet, S3, button at +3, S4
        "<S\"Site\"www.example.com><LNK=Next>", // link label and region, tip link and region
    });
    Laid laid = layOut(list);
    ASSERT_EQ(laid.made.size(), list.size());
    struct Expected {
        int32_t number;
        int32_t kind;
        Rect at;
        std::string text;
    };
    const Expected expected[] = {
        {300, kind::String, {17, 8, 0, 0}, "Intro"}, {301, kind::String, {42, 8, 0, 0}, "more"},
        {302, kind::Line, {17, 25, 229, 0}, ""},     {303, kind::String, {17, 44, 0, 0}, "\xA7"},
        {304, kind::String, {26, 44, 0, 0}, "Item"}, {305, kind::Button, {49, 44, 9, 9}, ""},
        {306, kind::String, {61, 44, 0, 0}, "end"},  {307, kind::String, {20, 58, 0, 16}, "Site"},
        {308, kind::Region, {20, 58, 20, 10}, ""},   {309, kind::String, {43, 58, 0, 16}, "Next"},
        {310, kind::Region, {43, 58, 20, 10}, ""},
    };
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].number);
        EXPECT_EQ(laid.made[i].number, expected[i].number);
        EXPECT_EQ(laid.made[i].kind, expected[i].kind);
        EXPECT_EQ(laid.made[i].at, expected[i].at);
        EXPECT_EQ(laid.made[i].text, expected[i].text);
        EXPECT_NE(laid.made[i].flags & runtime::ui::attr::Hidden, 0u); // shown all at once later
    }
    EXPECT_EQ(laid.penY, 58 + 24);
}

TEST(ContentLayout, LooksOfEachKind) {
    help::ControlList list = parse({"<T>text<B1><http://example.com/a><LNK=Page 2>"});
    Laid laid = layOut(list);
    const ControlDefinition& bullet = laid.made[0];
    EXPECT_EQ(bullet.font.typeface, "Wingdings");
    EXPECT_EQ(bullet.font.size, 0);
    EXPECT_EQ(bullet.font.colour, 0);
    EXPECT_EQ(bullet.colour, 0xECFFFE);
    const ControlDefinition& text = laid.made[1];
    EXPECT_EQ(text.font.typeface, "");
    EXPECT_EQ(text.font.colour, -1);
    EXPECT_EQ(text.colour, -1);
    const ControlDefinition& button = laid.made[2];
    EXPECT_EQ(button.icon, "~default.ico");
    EXPECT_EQ(button.cursor, "~hand.cur");
    EXPECT_EQ(button.tooltip, "Click here..");
    for (size_t link : {3u, 5u}) {
        const ControlDefinition& label = laid.made[link];
        EXPECT_EQ(label.font.colour, 0xFF0000);
        EXPECT_EQ(label.font.style, 0x2000);
        EXPECT_EQ(label.colour, 0xECFFFE);
        EXPECT_EQ(label.cursor, "~hand.cur");
        const ControlDefinition& region = laid.made[link + 1];
        EXPECT_EQ(region.cursor, "~hand.cur");
        EXPECT_EQ(region.tooltip, "Click here..");
    }
    EXPECT_EQ(laid.made[3].text, "http://example.com/a");
    EXPECT_EQ(laid.made[5].text, "Page 2");
}

TEST(ContentLayout, SettingsRowsGiveFontsAndTooltips) {
    help::ControlList list = parse({"Plain|Big<B1><www.example.com><LNK=Next>"});
    help::SettingsList settings;
    help::loadSettings("[S  2]FONT;Arial,14,255,700\xAB[B1]TOOLTIP;Run the report\xAB"
                       "[HTTP1]TOOLTIP;Our site\xAB[LNK1]TOOLTIP;Read on\xAB[Region1]TOOLTIP;unused\xAB",
                       settings);
    Laid laid = layOut(list, settings);
    EXPECT_EQ(laid.made[0].font.typeface, "");
    const runtime::FontSpec big = laid.made[1].font;
    EXPECT_EQ(big.typeface, "Arial");
    EXPECT_EQ(big.size, 14);
    EXPECT_EQ(big.colour, 255);
    EXPECT_EQ(big.style, 700);
    EXPECT_EQ(laid.made[2].tooltip, "Run the report");
    EXPECT_EQ(laid.made[4].tooltip, "Our site"); // the click area takes its link's tooltip
    EXPECT_EQ(laid.made[6].tooltip, "Read on");
}

TEST(ContentLayout, RowsFollowTheTextBoxLines) {
    // A blank line is an empty row; a rule moves the pen 8 and the next row 14 more.
    help::ControlList list = parse({"one", "", "two", "<hr>", "three"});
    Laid laid = layOut(list, {}, 400);
    std::vector<Rect> places;
    for (const ControlDefinition& made : laid.made) {
        places.push_back(made.at);
    }
    EXPECT_EQ(places, (std::vector<Rect>{
                          {17, 8, 0, 0}, {17, 22, 0, 0}, {17, 36, 0, 0}, {17, 53, 340, 0}, {17, 72, 0, 0}}));
    EXPECT_EQ(laid.penY, 72 + 24);
}

TEST(ContentLayout, LongTextIsShownUpTo100Characters) {
    help::ControlList list;
    list.add(help::entry_kind::String, "S  1", std::string(150, 'x'), 1);
    list.add(help::entry_kind::Http, "HTTP1", "www." + std::string(120, 'y') + ".com", 1);
    Laid laid = layOut(list);
    EXPECT_EQ(laid.made[0].text.size(), 100u);
    EXPECT_EQ(laid.made[1].text.size(), 100u);
}

TEST(SingleHyperlink, OnlyALinkAndItsClickArea) {
    EXPECT_TRUE(help::isSingleHyperlink(parse({"<www.example.com>"})));
    EXPECT_FALSE(help::isSingleHyperlink(parse({"", "<http://example.com>"})));
    EXPECT_FALSE(help::isSingleHyperlink(parse({"<www.example.com> more"})));
    EXPECT_FALSE(help::isSingleHyperlink(parse({"<LNK=Page 2>"})));
    EXPECT_FALSE(help::isSingleHyperlink(parse({"see <www.example.com>"})));
}

} // namespace
