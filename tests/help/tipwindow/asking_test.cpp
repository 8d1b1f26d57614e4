// The three ways a person asks for a control's tip, from the input on the
// screen to the tip window showing that control's tip: the caption "?" and a
// click on the control, the right-click popup, and resting the mouse.
#include <cstdlib>
#include <gtest/gtest.h>

#include "help/engine/engine_state.h"
#include "help/engine/exports.h"
#include "host_window.h"
#include "runtime/ui/handles.h"
#include "runtime/ui/window.h"
#include "support/ui_harness.h"
#include "tip_window_fixture.h"

namespace {

using namespace std::chrono_literals;
using helptest::HostWindow;
using tiptest::hostTip;

class Asking : public tiptest::TipWindowTest {
protected:
    void SetUp() override {
        TipWindowTest::SetUp();
        writeTips(
            {hostTip("?OK", "BUTTON", "Saves the customer."), hostTip("?Name", "ENTRY", "The full name.")});
    }
};

TEST_F(Asking, CaptionQuestionMarkThenAClickOnAControlShowsItsTip) {
    if (!tiptest::xInputAvailable()) {
        GTEST_SKIP() << "no X display to click on";
    }
    HostWindow host(tiptest::roomyHost());
    POINT questionMark{};
    ASSERT_TRUE(tiptest::captionHelpButton(host.handle(), questionMark)) << "no caption \"?\"";
    ASSERT_TRUE(tiptest::xClick(questionMark));
    ASSERT_TRUE(tiptest::xClick(host.centreOf(helptest::OkButton)));
    ASSERT_TRUE(tips.waitForShown(1));
    tiptest::ShownTip shown = tips.last();
    EXPECT_EQ(shown.procedure, "HostWindow");
    EXPECT_EQ(shown.control, "?OK");
    EXPECT_EQ(shown.type, "BUTTON");
    ASSERT_NE(shown.showing("Saves the customer."), nullptr);
    EXPECT_EQ(host.watched(), std::vector<int32_t>{helptest::OkButton});
}

// Dark enough to be the button's text colour, not its greyed or 3D shades.
bool inked(COLORREF pixel) {
    return GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 200;
}

// The mark's foot tells a "?" (its dot, in the middle) from a cross (its
// legs, at the sides), the glyph the system's own drawing gave here.
TEST_F(Asking, TheCaptionButtonShowsAQuestionMark) {
    HostWindow host(tiptest::roomyHost());
    POINT centre{};
    ASSERT_TRUE(tiptest::captionHelpButton(host.handle(), centre)) << "no caption \"?\"";
    RedrawWindow(host.handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    RECT outer{};
    GetWindowRect(host.handle(), &outer);
    POINT at{centre.x - outer.left, centre.y - outer.top};
    const int halfWidth = (GetSystemMetrics(SM_CXSIZE) - 2) / 2 - 3;
    const int halfHeight = (GetSystemMetrics(SM_CYSIZE) - 4) / 2 - 2;
    runtime::ui::WindowDc dc(host.handle(), runtime::ui::WindowDc::Whole);
    int middle = 0;
    int sides = 0;
    for (int y = at.y + halfHeight / 2; y <= at.y + halfHeight; ++y) {
        for (int x = at.x - halfWidth; x <= at.x + halfWidth; ++x) {
            if (!inked(GetPixel(dc.get(), x, y))) {
                continue;
            }
            if (std::abs(x - at.x) <= 2) {
                ++middle;
            } else if (std::abs(x - at.x) >= halfWidth / 2) {
                ++sides;
            }
        }
    }
    EXPECT_GT(middle, 0) << "no dot under the mark";
    EXPECT_EQ(sides, 0) << "ink at the foot's sides, as of a cross";
}

TEST_F(Asking, RightClickAndThePopupsFirstItemShowTheTip) {
    HostWindow host(tiptest::roomyHost());
    boxes.answerPopup(1);
    uitest::click(host.centreOf(helptest::NameEntry), true);
    ASSERT_TRUE(tips.waitForShown(1));
    EXPECT_EQ(tips.last().control, "?Name");
    EXPECT_EQ(boxes.popups(), std::vector<std::string>{"What's This"});
    EXPECT_EQ(help::handOver().hoverFlag, 0);

    closeTip();
    boxes.answerPopup(0); // the menu closed without a choice
    uitest::click(host.centreOf(helptest::OkButton), true);
    ASSERT_TRUE(uitest::waitUntil([&] { return boxes.popups().size() == 2; }));
    EXPECT_EQ(tips.shown().size(), 1u);
}

TEST_F(Asking, ARestingMouseShowsTheHoverTipAndMovingOnClosesIt) {
    rvSetCueCards(30, 1 | 2); // entries and buttons, after 0.3 s
    HostWindow host(tiptest::roomyHost());
    uitest::moveMouse(host.centreOf(helptest::OkButton));
    ASSERT_TRUE(tips.waitForShown(1));
    EXPECT_EQ(tips.last().control, "?OK");
    EXPECT_EQ(help::handOver().hoverFlag, 1);

    // A hover tip stays open when another window is clicked (where the mouse
    // is on no control)...
    RECT content{};
    GetWindowRect(host.window().controlHandle(helptest::OkButton), &content);
    RECT frame{};
    GetWindowRect(host.handle(), &frame);
    uitest::click({frame.right - 20, (content.top + content.bottom) / 2});
    EXPECT_FALSE(tips.waitForClosed(1, 1s));
    // ...and closes when the mouse moves onto another control.
    uitest::moveMouse(host.centreOf(helptest::RememberBox));
    EXPECT_TRUE(tips.waitForClosed(1));
}

TEST_F(Asking, RestingOnAControlWithoutATipShowsNothing) {
    rvSetCueCards(30, 1 | 2);
    HostWindow host(tiptest::roomyHost());
    uitest::moveMouse(host.centreOf(helptest::CloseButton));
    ASSERT_TRUE(tips.waitForClosed(1)) << "no tip window ran";
    EXPECT_TRUE(tips.shown().empty());
    EXPECT_EQ(help::handOver().tipWindowOpen, 0);
}

} // namespace
