// Reading popup menu text into items and their numbers.
#include <gtest/gtest.h>

#include "runtime/ui/menu_text.h"

namespace {

using runtime::ui::MenuItem;
using runtime::ui::parseMenuText;
using Type = MenuItem::Type;

// A flat picture of the items: numbers, marks and nesting, for comparing.
std::string outline(const std::vector<MenuItem>& items) {
    std::string text;
    for (const MenuItem& item : items) {
        if (!text.empty()) {
            text += ' ';
        }
        if (item.type == Type::Separator) {
            text += "--";
            continue;
        }
        if (item.unavailable) {
            text += '~';
        }
        if (item.check == 1) {
            text += '+';
        }
        if (item.check == 2) {
            text += '-';
        }
        if (!item.icon.empty()) {
            text += "<" + item.icon + ">";
        }
        text += item.text;
        if (item.type == Type::Submenu) {
            text += "{" + outline(item.children) + "}";
        } else {
            text += "=" + std::to_string(item.number);
        }
    }
    return text;
}

TEST(MenuText, ItemsAreNumberedSkippingSeparatorsAndSubmenuHeadings) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"&What's This", "&What's This=1"},
        {"~Properties|~Repeat Last Format|-|Save and Exit|Exit",
         "~Properties=1 ~Repeat Last Format=2 -- Save and Exit=3 Exit=4"},
        {"Save and Exit|Exit", "Save and Exit=1 Exit=2"},
        {"A|B{C|D}E", "A=1 B{C=2 D=3} E=4"},
        {"A|B{C|D}|E", "A=1 B{C=2 D=3} E=4"},
        {"A{B{C}D}E", "A{B{C=1} D=2} E=3"},
        {"+Checked|-Clear|~+Both", "+Checked=1 -Clear=2 ~+Both=3"},
        {"[31744(~insert.ico)]&Insert|~[x(del.ico)]Delete", "<~insert.ico>&Insert=1 ~<del.ico>Delete=2"},
        {"!&Insert|&Change", "!&Insert=1 &Change=2"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(outline(parseMenuText(text)), expected) << text;
    }
}

TEST(MenuText, OddTextIsReadWithoutFailing) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"", ""},
        {"|||", ""},
        {"A||B", "A=1 B=2"},
        {"A}B", "A=1 B=2"},
        {"A{B|C", "A{B=1 C=2}"},
        {"-", "--"},
        {"--", "--=1"},
        {"[no icon close|B", "[no icon close=1 B=2"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(outline(parseMenuText(text)), expected) << "'" << text << "'";
    }
}

} // namespace
