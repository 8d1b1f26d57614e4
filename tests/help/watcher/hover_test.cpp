// The hover decision, event by event, as a window's timer and the mouse drive it.
#include <gtest/gtest.h>
#include <string>

#include "help/watcher/hover.h"
#include "runtime/sys/events.h"

namespace {

using help::HoverOutcome;
using runtime::event::Accepted;
using runtime::event::CloseWindow;
using runtime::event::Timer;

constexpr int32_t Button = 2;   // category bit of a button
constexpr int32_t Entry = 1;    // category bit of an entry
constexpr int32_t Delay = 350;

class Hovering : public ::testing::Test {
protected:
    // One event with the mouse on `control` at `now`.
    HoverOutcome at(int32_t now, int32_t control, int32_t event = Timer, std::string tooltip = "") {
        help::HoverEvent input;
        input.event = event;
        input.tipWindowOpen = tipOpen;
        input.underMouse = control;
        tooltips = std::move(tooltip);
        input.tooltip = tooltips;
        input.category = control == 0 ? 0 : (control == EntryControl ? Entry : Button);
        input.now = now;
        input.mode = mode;
        input.delay = delay;
        HoverOutcome outcome = help::decideHover(input, state);
        if (outcome == HoverOutcome::ShowTip) {
            tipOpen = true; // the tip window opens
        }
        return outcome;
    }

    static constexpr int32_t A = 5, B = 6, EntryControl = 7;
    help::HoverState state;
    bool tipOpen = false;
    int32_t mode = Button | Entry;
    int32_t delay = Delay;
    std::string tooltips;
};

TEST_F(Hovering, RestingLongerThanTheDelayShowsTheTipOnce) {
    EXPECT_EQ(at(1000, A), HoverOutcome::Nothing); // the candidate is taken
    EXPECT_EQ(at(1070, A), HoverOutcome::Waiting);
    EXPECT_EQ(at(1350, A), HoverOutcome::Waiting) << "exactly the delay is not longer than it";
    EXPECT_EQ(at(1351, A), HoverOutcome::ShowTip);
    EXPECT_EQ(state.hoverTipControl, A);
    EXPECT_EQ(state.lastHoverControl, A);
    EXPECT_EQ(at(2000, A), HoverOutcome::Nothing) << "its tip is already showing";
    EXPECT_EQ(at(2100, 0), HoverOutcome::Nothing) << "empty space does not close it";
}

TEST_F(Hovering, OnlyTimerEventsShowATip) {
    at(1000, A);
    EXPECT_EQ(at(2000, A, Accepted), HoverOutcome::Nothing);
    EXPECT_EQ(at(2001, A, Timer), HoverOutcome::ShowTip) << "other events do not restart the time";
}

TEST_F(Hovering, MovingToAnotherControlOrClosingTheWindowClosesTheTip) {
    at(0, A);
    ASSERT_EQ(at(400, A), HoverOutcome::ShowTip);
    EXPECT_EQ(at(500, B, Accepted), HoverOutcome::CloseTip);
    EXPECT_EQ(state.hoverTipControl, 0);
    EXPECT_EQ(state.candidateControl, 0);

    tipOpen = false;
    at(1000, B);
    ASSERT_EQ(at(1400, B), HoverOutcome::ShowTip);
    EXPECT_EQ(at(1500, B, CloseWindow), HoverOutcome::CloseTip);
}

TEST_F(Hovering, BackOnTheLastControlNothingShowsUntilAnotherControlsTipWasShown) {
    at(0, A);
    ASSERT_EQ(at(400, A), HoverOutcome::ShowTip);
    ASSERT_EQ(at(500, B), HoverOutcome::CloseTip);
    tipOpen = false;
    for (int32_t now = 600; now < 3000; now += 70) {
        ASSERT_NE(at(now, A), HoverOutcome::ShowTip) << now;
    }
    at(3000, B);
    ASSERT_EQ(at(3400, B), HoverOutcome::ShowTip);
    ASSERT_EQ(at(3500, A), HoverOutcome::CloseTip);
    tipOpen = false;
    at(3600, A);
    EXPECT_EQ(at(4000, A), HoverOutcome::ShowTip);
}

TEST_F(Hovering, TimingRestartsOnANewTooltipAndWhileATipWindowIsOpen) {
    at(0, A, Timer, "first");
    EXPECT_EQ(at(300, A, Timer, "second"), HoverOutcome::Nothing);
    EXPECT_EQ(at(600, A, Timer, "second"), HoverOutcome::Waiting) << "timed from 300";
    EXPECT_EQ(at(700, A, Timer, "second"), HoverOutcome::ShowTip);

    tipOpen = false;
    state = {};
    at(0, A);
    tipOpen = true; // a tip asked for some other way
    EXPECT_EQ(at(1000, A), HoverOutcome::Nothing);
    tipOpen = false;
    EXPECT_EQ(at(1100, A), HoverOutcome::Waiting) << "timed from 1000";
    EXPECT_EQ(at(1400, A), HoverOutcome::ShowTip);
}

TEST_F(Hovering, ATipWindowThatClosedByItselfIsForgotten) {
    at(0, A);
    ASSERT_EQ(at(400, A), HoverOutcome::ShowTip);
    tipOpen = false;
    EXPECT_EQ(at(500, B), HoverOutcome::Nothing) << "nothing left to close";
    EXPECT_EQ(state.hoverTipControl, 0);
}

TEST_F(Hovering, CategoriesOutsideTheModeAndNoDelayNeverShow) {
    mode = Entry;
    at(0, A);
    EXPECT_EQ(at(5000, A), HoverOutcome::Waiting);
    at(5000, EntryControl);
    EXPECT_EQ(at(9000, EntryControl), HoverOutcome::ShowTip);

    state = {};
    tipOpen = false;
    delay = 0;
    at(0, EntryControl);
    EXPECT_EQ(at(9000, EntryControl), HoverOutcome::Waiting);
}

TEST_F(Hovering, TheClockPassingMidnightRestartsTheTime) {
    at(8639900, A);
    EXPECT_EQ(at(100, A), HoverOutcome::Waiting);
    EXPECT_EQ(state.candidateTime, 100);
    EXPECT_EQ(at(451, A), HoverOutcome::ShowTip);
}

TEST_F(Hovering, AControlWithAVeryLongTooltipStillGetsItsTip) {
    std::string tooltip(300, 't');
    at(0, A, Timer, tooltip);
    EXPECT_EQ(at(400, A, Timer, tooltip), HoverOutcome::ShowTip);
}

} // namespace
