// The real tip window on the screen: its size and place next to the control,
// the content it builds for each kind of markup, and how it closes.
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

#include "help/engine/engine_state.h"
#include "help/engine/exports.h"
#include "host_window.h"
#include "runtime/sys/command_line.h"
#include "runtime/sys/events.h"
#include "runtime/ui/keys.h"
#include "runtime/ui/threads.h"
#include "runtime/ui/window.h"
#include "support/ui_harness.h"
#include "tip_window_fixture.h"

namespace {

using namespace std::chrono_literals;
using helptest::HostWindow;
using runtime::ui::Rect;
using tiptest::hostTip;
using tiptest::linkedTip;
using tiptest::ShownTip;
namespace kind = runtime::kind;

// The anchor of a control: the host frame's corner plus the control's place
// in the content, in pixels.
POINT anchorOf(HostWindow& host, int32_t control) {
    RECT outer{};
    GetWindowRect(host.handle(), &outer);
    HWND item = host.window().controlHandle(control);
    RECT place{};
    GetWindowRect(item, &place);
    MapWindowPoints(nullptr, GetParent(item), reinterpret_cast<POINT*>(&place), 2);
    return {outer.left + place.left, outer.top + place.top};
}

std::string tallText() {
    std::string text;
    for (int i = 0; i < 40; ++i) {
        text += "Line " + std::to_string(i) + "\r\n";
    }
    return text;
}

class TipWindow : public tiptest::TipWindowTest {};

TEST_F(TipWindow, SitsJustLeftOfAndAboveTheControlSizedToItsContent) {
    writeTips({hostTip("?Close", "BUTTON", "Closes the window."), hostTip("?OK", "BUTTON", tallText())});
    HostWindow host(tiptest::roomyHost());
    POINT anchor = anchorOf(host, helptest::CloseButton);
    ASSERT_GT(anchor.x, 272);
    ShownTip shown = askAndWait(host, helptest::CloseButton);
    // One row: the pen ends at 8 + 24; the window is 16 taller.
    EXPECT_EQ(shown.position, (Rect{anchor.x - 270 - 2, anchor.y - 48 - 2, 270, 48}));
    EXPECT_FALSE(shown.caption);
    EXPECT_FALSE(shown.scrolling);
    EXPECT_TRUE(shown.closeShown);
    EXPECT_EQ(shown.closeAt.right(), 270 - 1);
    EXPECT_EQ(shown.clickArea, (Rect{0, 0, 270, 48}));
    closeTip();

    // Taller than 376 pixels: cut to 376, scrolling, the close button left of
    // the scroll bar.
    anchor = anchorOf(host, helptest::OkButton);
    shown = askAndWait(host, helptest::OkButton);
    EXPECT_EQ(shown.position.height, 376);
    EXPECT_EQ(shown.position.y, anchor.y - 376 - 2);
    EXPECT_TRUE(shown.scrolling);
    EXPECT_EQ(shown.closeAt.right(), 270 - 1 - 17);
}

TEST_F(TipWindow, ACaptionRaisesTheTipTenPixelsAndReplacesTheCloseButton) {
    writeTips({hostTip("?Close", "BUTTON", "Closes the window.")});
    HostWindow host(tiptest::roomyHost());
    ShownTip plain = askAndWait(host, helptest::CloseButton);
    closeTip();
    rvSetCaption("Ruvo Demo Help");
    ShownTip titled = askAndWait(host, helptest::CloseButton);
    EXPECT_TRUE(titled.caption);
    EXPECT_EQ(titled.title, "Ruvo Demo Help");
    EXPECT_FALSE(titled.closeShown);
    EXPECT_EQ(titled.position.y, plain.position.y - 10);
    EXPECT_EQ(titled.position.x, plain.position.x);
}

TEST_F(TipWindow, WithoutAControlTheTipGoesToTheTopLeftCorner) {
    writeTips({hostTip("?OK", "BUTTON", "Saves.")});
    rvCALLHELPTIP("ruvo.rvh", "HostWindow", "?OK", "BUTTON"); // from a thread without a window
    ASSERT_TRUE(tips.waitForShown(1));
    EXPECT_EQ(tips.last().position.x, 2);
    EXPECT_EQ(tips.last().position.y, 3);
}

TEST_F(TipWindow, StoredWidthsOutsideTheTrustedRangeFallBackToTheFixedWidthOr270) {
    // The tip width shows in the rule (85% of it); the window takes a fixed
    // width whenever one is set.
    struct Case {
        int16_t stored;
        int32_t fixedWidth;
        int32_t tipWidth;
        int32_t windowWidth;
    };
    const Case cases[] = {{300, -1, 300, 300}, {799, -1, 799, 799}, {800, -1, 270, 270},
                          {270, -1, 270, 270}, {0, 400, 400, 400},  {271, 400, 271, 400}};
    HostWindow host(helptest::standardHost());
    for (const Case& c : cases) {
        writeTips({hostTip("?OK", "BUTTON", "<HR>", {}, c.stored)});
        rvSetPosition(-1, -1, c.fixedWidth, -1);
        ShownTip shown = askAndWait(host, helptest::OkButton);
        ASSERT_EQ(shown.content.size(), 1u);
        EXPECT_EQ(shown.content[0].at.width, c.tipWidth * 85 / 100) << c.stored << " " << c.fixedWidth;
        EXPECT_EQ(shown.position.width, c.windowWidth) << c.stored << " " << c.fixedWidth;
        closeTip();
    }
}

TEST_F(TipWindow, EachKindOfMarkupBecomesItsControlAtThePen) {
    writeTips({hostTip("?OK", "BUTTON",
                       "Text|more\r\n<HR>\r\n<T>dot\r\n<B1>\r\n<LNK=Page 2>\r\n<S\"site\"www.example.com>",
                       tiptest::storedRows({{"LNK1", "TOOLTIP", "Go on"}}))});
    HostWindow host(helptest::standardHost());
    ShownTip shown = askAndWait(host, helptest::OkButton);
    ASSERT_EQ(shown.content.size(), 10u);
    auto at = [&](size_t i) { return shown.content[i].at; };
    // Row 1: two strings side by side.
    EXPECT_EQ(shown.content[0].kind, kind::String);
    EXPECT_EQ(at(0).x, 17);
    EXPECT_EQ(at(0).y, 8);
    EXPECT_EQ(at(1).x, 17 + at(0).width);
    EXPECT_EQ(shown.content[1].text, "more");
    // Row 2: the rule, 3 below the pen, 85% of the tip width.
    EXPECT_EQ(shown.content[2].kind, kind::Line);
    EXPECT_EQ(at(2), (Rect{17, 22 + 3, 229, at(2).height}));
    // Row 3 starts 8 + 14 further down: the bullet, then its text after a gap of 4.
    EXPECT_EQ(at(3).y, 22 + 8 + 14);
    EXPECT_EQ(at(4).x, 17 + at(3).width + 4);
    EXPECT_EQ(shown.content[4].text, "dot");
    // The button: 9 x 9, 3 right of the pen.
    EXPECT_EQ(shown.content[5].kind, kind::Button);
    EXPECT_EQ(at(5), (Rect{20, 58, 9, 9}));
    // A tip link and a hyperlink with an alias: a label 3 right of the pen,
    // 16 high, and a click area over it, 10 high.
    for (size_t label : {6u, 8u}) {
        EXPECT_EQ(at(label).x, 20);
        EXPECT_EQ(at(label).height, 16);
        EXPECT_EQ(shown.content[label + 1].kind, kind::Region);
        EXPECT_EQ(at(label + 1), (Rect{20, at(label).y, at(label).width, 10}));
    }
    EXPECT_EQ(shown.content[6].text, "Page 2");
    EXPECT_EQ(shown.content[8].text, "site");
    // Every row below the one before it; the window ends 24 + 16 below the last.
    EXPECT_EQ(shown.position.height, at(9).y + 24 + 16);
    EXPECT_FALSE(shown.backShown);
    EXPECT_FALSE(shown.forwardShown);
}

TEST_F(TipWindow, AClickOnTheBackgroundClosesItUnlessItStaysOpen) {
    writeTips({hostTip("?OK", "BUTTON", "Saves.\r\n\r\n\r\n")});
    HostWindow host(tiptest::roomyHost());
    ShownTip shown = askAndWait(host, helptest::OkButton);
    RECT frame{};
    GetWindowRect(shown.handle, &frame);
    POINT empty{frame.left + 200, frame.bottom - 10};
    uitest::click(empty);
    EXPECT_TRUE(tips.waitForClosed(1));

    rvStayOpen(1);
    shown = askAndWait(host, helptest::OkButton);
    GetWindowRect(shown.handle, &frame);
    uitest::click({frame.left + 200, frame.bottom - 10});
    uitest::click(host.centreOf(helptest::NameEntry)); // the focus goes elsewhere too
    EXPECT_FALSE(tips.waitForClosed(2, 1s));
}

TEST_F(TipWindow, LosingTheFocusClosesIt) {
    writeTips({hostTip("?OK", "BUTTON", "Saves.")});
    runtime::ScopedCommandLine commandLine("host.exe /rvDebug");
    HostWindow host(tiptest::roomyHost());
    ShownTip shown = askAndWait(host, helptest::OkButton);
    EXPECT_EQ(help::handOver().tipWindowOpen, 1);
    ASSERT_TRUE(uitest::waitUntil([&] { return GetForegroundWindow() == shown.handle; }));
    uitest::click(host.centreOf(helptest::NameEntry));
    EXPECT_TRUE(tips.waitForClosed(1));
    EXPECT_TRUE(uitest::waitUntil([] { return help::handOver().tipWindowOpen == 0; }));
    ASSERT_EQ(boxes.messages().size(), 2u);
    EXPECT_EQ(boxes.messages()[0].text, "posting event:closewindow");
    EXPECT_EQ(boxes.messages()[1].text.rfind("RuvoCall = ", 0), 0u) << boxes.messages()[1].text;
}

TEST_F(TipWindow, WhileATipIsOpenF1AsksForNoFurtherHelpAndItsCloseButtonClosesIt) {
    writeTips({hostTip("?OK", "BUTTON", "Saves.")});
    HostWindow host(tiptest::roomyHost());
    ShownTip shown = askAndWait(host, helptest::OkButton);
    EXPECT_EQ(runtime::ui::applyKeyAlias(runtime::key::F1), runtime::key::ctrl('H'));
    uitest::click(shown.closeCentre);
    ASSERT_TRUE(tips.waitForClosed(1));
    EXPECT_EQ(runtime::ui::applyKeyAlias(runtime::key::F1), runtime::key::F1);
}

TEST_F(TipWindow, OnTheCallersThreadItStaysOpenWhenTheFocusGoesAndTheCallWaitsForIt) {
    writeTips({linkedTip("?OK", "Environment help.")});
    HostWindow host(tiptest::roomyHost());
    std::atomic<int32_t> result{-1};
    std::thread caller([&] { result = rvCallHelpTipEx("ruvo.rvh", "", "?OK", "IDE", 0); });
    ASSERT_TRUE(tips.waitForShown(1));
    ShownTip shown = tips.last();
    EXPECT_NE(shown.showing("Environment help."), nullptr);
    ASSERT_TRUE(uitest::waitUntil([&] { return GetForegroundWindow() == shown.handle; }));
    uitest::click(host.centreOf(helptest::NameEntry));
    EXPECT_FALSE(tips.waitForClosed(1, 1s));
    EXPECT_EQ(result, -1);
    runtime::ui::post(runtime::event::CloseWindow, 0, shown.thread);
    caller.join();
    EXPECT_EQ(result, 0);
    EXPECT_EQ(tips.closed(), 1);
}

TEST_F(TipWindow, AControlWithoutATipShowsTheNoHelpText) {
    writeTips({});
    HostWindow host(helptest::standardHost());
    ShownTip shown = askAndWait(host, helptest::OkButton);
    EXPECT_NE(shown.showing("No Help for This Topic"), nullptr);
    closeTip();
    rvSetNoHelpForThisTopic("Nothing here yet");
    shown = askAndWait(host, helptest::OkButton);
    EXPECT_NE(shown.showing("Nothing here yet"), nullptr);
}

} // namespace
