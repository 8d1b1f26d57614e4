#include <gtest/gtest.h>

#include "help/tipwindow/click_dispatcher.h"

namespace {

class Recorded : public help::TipActions {
public:
    void openHyperlink(const help::ControlEntry& link) override { done.push_back("open " + link.TEXT); }
    void followTipLink(const help::ControlEntry& link) override { done.push_back("follow " + link.TEXT); }
    void runProgram(std::string_view commandLine) override {
        done.push_back("run " + std::string(commandLine));
    }
    void closeAndPost(int32_t event, int32_t thread) override {
        done.push_back("post " + std::to_string(event) + " to " + std::to_string(thread));
    }
    void closeAndOpenHelp(std::string_view helpFile, std::string_view topic) override {
        done.push_back("help " + std::string(helpFile) + " " + std::string(topic));
    }
    std::vector<std::string> done;
};

help::ControlList tipWithEverything() {
    help::ControlList list;
    list.add(help::entry_kind::String, "S  1", "See", 1);                    // 300
    list.add(help::entry_kind::Http, "HTTP1", "www.example.com", 1, "Site"); // 301
    list.add(help::entry_kind::Region, "Region1", "www.example.com", 1);     // 302
    list.add(help::entry_kind::Lnk, "LNK1", "Page 2", 1);                    // 303
    list.add(help::entry_kind::Region, "Region2", "Page 2", 1);              // 304
    list.add(help::entry_kind::Button, "B1", "", 2);                         // 305
    list.add(help::entry_kind::Button, "B2", "", 2);                         // 306
    list.add(help::entry_kind::Button, "B3", "", 2);                         // 307
    list.add(help::entry_kind::Button, "B4", "", 2);                         // 308
    list.add(help::entry_kind::Bullet, "T", "", 3);                          // 309
    return list;
}

std::vector<std::string> click(int32_t control) {
    help::SettingsList settings;
    settings.put("B1", help::setting::Call, "EXEreport.exe /all");
    settings.put("B2", help::setting::Call, "MSG1030,4");
    settings.put("B3", help::setting::Call, "HLP\"demo.hlp\",\"Totals\"");
    settings.put("B4", help::setting::Tooltip, "No action");
    Recorded actions;
    help::dispatchClick(control, tipWithEverything(), settings, actions);
    return actions.done;
}

TEST(ClickDispatcher, ClickAreasActForTheirLinks) {
    EXPECT_EQ(click(302), std::vector<std::string>{"open www.example.com"});
    EXPECT_EQ(click(304), std::vector<std::string>{"follow Page 2"});
}

TEST(ClickDispatcher, ButtonsDoWhatTheirCallSays) {
    EXPECT_EQ(click(305), std::vector<std::string>{"run report.exe /all"});
    EXPECT_EQ(click(306), std::vector<std::string>{"post 1030 to 4"});
    EXPECT_EQ(click(307), std::vector<std::string>{"help \"demo.hlp\" \"Totals\""});
    EXPECT_TRUE(click(308).empty()); // no call set
}

TEST(ClickDispatcher, EverythingElseDoesNothing) {
    for (int32_t control : {0, 1, 201, 299, 300, 301, 303, 309, 310, 5000, -300}) {
        SCOPED_TRACE(control);
        EXPECT_TRUE(click(control).empty());
    }
}

} // namespace
