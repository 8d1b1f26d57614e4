// Clicks on a tip's content, as a person makes them: hyperlinks go to the
// browser through the recorded interface, tip links move through the
// window's history, and tip buttons run, post or open help as configured.
#include <gtest/gtest.h>

#include "help/engine/engine_state.h"
#include "help/engine/exports.h"
#include "help/markup/settings_list.h"
#include "host_window.h"
#include "runtime/ui/window.h"
#include "support/ui_harness.h"
#include "tip_window_fixture.h"

namespace {

using helptest::HostWindow;
using testing_support::Launch;
using tiptest::hostTip;
using tiptest::linkedTip;
using tiptest::ShownTip;

bool endsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

class Clicks : public tiptest::TipWindowTest {
protected:
    // Clicks the click area over the label showing `text` in the last tip.
    void clickLink(std::string_view text) {
        const tiptest::ShownControl* region = tips.last().regionOver(text);
        ASSERT_NE(region, nullptr) << "no link " << text;
        uitest::click(region->centre);
    }
    void clickContent(size_t index) {
        ShownTip shown = tips.last();
        ASSERT_LT(index, shown.content.size());
        uitest::click(shown.content[index].centre);
    }
};

TEST_F(Clicks, HyperlinksOpenTheBrowserOrTheHelpViewer) {
    writeTips({hostTip("?OK", "BUTTON", "<http://example.com/a.html> <www.example.com> <Help.chm::/a.htm>")});
    HostWindow host(helptest::standardHost());
    askAndWait(host, helptest::OkButton);
    clickLink("http://example.com/a.html");
    ASSERT_TRUE(boxes.waitForLaunches(1));
    clickLink("www.example.com");
    ASSERT_TRUE(boxes.waitForLaunches(2));
    clickLink("Help.chm::/a.htm");
    ASSERT_TRUE(boxes.waitForLaunches(3));
    std::vector<Launch> launches = boxes.launches();
    EXPECT_EQ(launches[0].kind, "run");
    EXPECT_TRUE(endsWith(launches[0].target, " http://example.com/a.html")) << launches[0].target;
    EXPECT_TRUE(endsWith(launches[1].target, " http://www.example.com")) << launches[1].target;
    EXPECT_EQ(launches[2].target, "hh.exe mk:@msitstore:Help.chm::/a.htm");
    EXPECT_EQ(tips.closed(), 0) << "a link click is not a background click";
}

TEST_F(Clicks, ATipOfOneHyperlinkOpensItWithoutShowingUnlessCtrlIsHeld) {
    writeTips({hostTip("?OK", "BUTTON", "<http://example.com>")});
    HostWindow host(helptest::standardHost());
    ask(host, helptest::OkButton);
    ASSERT_TRUE(tips.waitForClosed(1));
    EXPECT_TRUE(tips.shown().empty());
    ASSERT_EQ(boxes.launches().size(), 1u);
    EXPECT_TRUE(endsWith(boxes.launches()[0].target, " http://example.com"));

    INPUT ctrl{};
    ctrl.type = INPUT_KEYBOARD;
    ctrl.ki.wVk = VK_CONTROL;
    SendInput(1, &ctrl, sizeof ctrl);
    ASSERT_TRUE(uitest::waitUntil([] { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }));
    ShownTip shown = askAndWait(host, helptest::OkButton);
    ctrl.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &ctrl, sizeof ctrl);
    EXPECT_NE(shown.showing("http://example.com"), nullptr);
    EXPECT_EQ(boxes.launches().size(), 1u);
}

TEST_F(Clicks, TipLinksMoveThroughTheHistoryAndRememberWhereTheyLead) {
    writeTips({hostTip("?OK", "BUTTON", "First <LNK=Page 2>"), linkedTip("Page2", "Second <LNK=Page 3>"),
               linkedTip("Page3", "Third")});
    HostWindow host(helptest::standardHost());
    ShownTip shown = askAndWait(host, helptest::OkButton);
    EXPECT_FALSE(shown.backShown);

    clickLink("Page 2");
    ASSERT_TRUE(tips.waitForShown(2));
    shown = tips.last();
    EXPECT_EQ(shown.control, "Page2");
    EXPECT_EQ(shown.procedure, "");
    EXPECT_TRUE(shown.backShown);
    EXPECT_TRUE(shown.backEnabled);
    EXPECT_FALSE(shown.forwardShown);

    clickLink("Page 3");
    ASSERT_TRUE(tips.waitForShown(3));
    EXPECT_EQ(tips.last().control, "Page3");

    uitest::click(tips.last().backCentre);
    ASSERT_TRUE(tips.waitForShown(4));
    shown = tips.last();
    EXPECT_EQ(shown.control, "Page2");
    EXPECT_TRUE(shown.forwardShown);

    // A second click on the same spot at once would be a double click.
    Sleep(GetDoubleClickTime() + 100);
    uitest::click(shown.backCentre);
    ASSERT_TRUE(tips.waitForShown(5));
    shown = tips.last();
    EXPECT_EQ(shown.control, "?OK");
    EXPECT_FALSE(shown.backEnabled) << "at the first tip";
    EXPECT_TRUE(shown.forwardShown);

    uitest::click(shown.forwardCentre);
    ASSERT_TRUE(tips.waitForShown(6));
    EXPECT_EQ(tips.last().control, "Page2");
    EXPECT_EQ(tips.closed(), 0);

    // The link's target was stored with the tip it starts from.
    closeTip();
    help::SettingsList settings;
    for (const help::StoredTip& tip : storedTips()) {
        if (tip.record.CONTROLNAME.clipped() == "?OK") {
            help::loadSettings(tip.settings, settings);
        }
    }
    const help::SettingsRow* target = settings.find("LNK1", help::setting::LinkTipCtl);
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->SETTING.clipped(), "Page2");
}

TEST_F(Clicks, FollowingALinkOfATypesDefaultTipAddsNoTipToTheFile) {
    help::StoredTip byType = linkedTip("", "For every button: <LNK=Page 2>");
    byType.record.CONTROLTYPE = "BUTTON";
    writeTips({byType, linkedTip("Page2", "Second")});
    HostWindow host(helptest::standardHost());
    askAndWait(host, helptest::OkButton);
    clickLink("Page 2");
    ASSERT_TRUE(tips.waitForShown(2));
    EXPECT_EQ(tips.last().control, "Page2");
    closeTip();
    std::vector<help::StoredTip> stored = storedTips();
    ASSERT_EQ(stored.size(), 2u);
    for (const help::StoredTip& tip : stored) {
        EXPECT_TRUE(tip.settings.empty()) << tip.record.CONTROLNAME.clipped();
    }
}

TEST_F(Clicks, ALinkSettingLeadsToTheTipItNames) {
    writeTips(
        {hostTip("?OK", "BUTTON", "See <LNK=Name rules>",
                 tiptest::storedRows({{"LNK1", "LINKTIPPROC", "Other"}, {"LNK1", "LINKTIPCTL", "?Rules"}})),
         linkedTip("Namerules", "Wrong tip")});
    HostWindow host(helptest::standardHost());
    askAndWait(host, helptest::OkButton);
    clickLink("Name rules");
    ASSERT_TRUE(tips.waitForShown(2));
    ShownTip shown = tips.last();
    EXPECT_EQ(shown.procedure, "Other");
    EXPECT_EQ(shown.control, "?Rules");
    EXPECT_NE(shown.showing("No Help for This Topic"), nullptr) << "a target that does not exist";
}

TEST_F(Clicks, ButtonsRunAProgramPostAnEventOrOpenAHelpTopicOnClosing) {
    HostWindow host(helptest::standardHost());
    const std::string hostThread = std::to_string(host.thread());
    writeTips({hostTip("?OK", "BUTTON", "<B1>run <B2>post <B3>help <B4>nothing",
                       tiptest::storedRows({{"B1", "CALL", "EXEnotepad.exe readme.txt"},
                                            {"B2", "CALL", "MSG1500, " + hostThread},
                                            {"B3", "CALL", "HLP\"demo.hlp\",\"Customers\""}}))});
    askAndWait(host, helptest::OkButton);
    clickContent(6); // B4: no call set
    clickContent(0); // B1
    ASSERT_TRUE(boxes.waitForLaunches(1));
    EXPECT_EQ(boxes.launches()[0].kind, "run");
    EXPECT_EQ(boxes.launches()[0].target, "notepad.exe readme.txt");
    EXPECT_EQ(tips.closed(), 0);

    clickContent(2); // B2
    EXPECT_TRUE(host.window().waitFor(1500));
    EXPECT_TRUE(tips.waitForClosed(1));

    askAndWait(host, helptest::OkButton);
    clickContent(4); // B3
    ASSERT_TRUE(tips.waitForClosed(2));
    ASSERT_EQ(boxes.launches().size(), 2u);
    EXPECT_EQ(boxes.launches()[1].kind, "help");
    EXPECT_EQ(boxes.launches()[1].target, "demo.hlp");
    EXPECT_EQ(boxes.launches()[1].detail, "Customers");
    ASSERT_EQ(boxes.messages().size(), 1u);
    EXPECT_EQ(boxes.messages()[0].text, "Customers");
}

TEST_F(Clicks, AProgramThatCannotStartIsReported) {
    writeTips({hostTip("?OK", "BUTTON", "<B1>run", tiptest::storedRows({{"B1", "CALL", "EXEmissing.exe"}}))});
    boxes.failRuns(2);
    HostWindow host(helptest::standardHost());
    askAndWait(host, helptest::OkButton);
    clickContent(0);
    ASSERT_TRUE(boxes.waitForMessages(1));
    EXPECT_EQ(boxes.messages()[0].text, "Problem running : missing.exe Error = 2");
}

} // namespace
