// Combo and spin boxes: what the user chooses or steps reaches the bound
// variable with the events the program expects, and a value out of range is
// rejected without touching the variable.
#include <windows.h>

#include <gtest/gtest.h>
#include <string>

#include "runtime/sys/events.h"
#include "runtime/text/fields.h"
#include "support/ui_harness.h"

namespace {

using namespace runtime;
using namespace runtime::ui;
using uitest::WindowThread;

constexpr int32_t Colour = 1;
constexpr int32_t Copies = 2;
constexpr int32_t Other = 3;

struct Chosen {
    text::Fixed<10> colour{"Green"};
    text::Long copies{5};
};

WindowDefinition choices(Chosen& chosen) {
    return {.caption = "Choices",
            .font = {"Tahoma", 8, -1, 0},
            .at = {10, 10, 160, 80},
            .controls = {
                {.number = Colour,
                 .kind = kind::Combo,
                 .at = {4, 4, 80, 60},
                 .variable = Variable::of(chosen.colour),
                 .from = "Red|Green|Blue"},
                {.number = Copies,
                 .kind = kind::Spin,
                 .at = {4, 22, 40, 12},
                 .picture = "@n3",
                 .variable = Variable::of(chosen.copies),
                 .low = 1,
                 .high = 10,
                 .step = 2},
                {.number = Other, .kind = kind::Button, .at = {4, 50, 50, 14}, .text = "Other"},
            }};
}

TEST(ComboBox, ChoosingAnItemStoresItsTextWithNewSelectionAndAccepted) {
    Chosen chosen;
    WindowThread w(choices(chosen));
    ASSERT_TRUE(w.waitFor(event::OpenWindow));
    EXPECT_EQ(w.run([](Window& win) { return win.get(Colour, Prop::Choice).number(); }), 2);
    HWND combo = w.controlHandle(Colour);
    w.clearEvents();
    SendMessageA(combo, CB_SETCURSEL, 2, 0);
    SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    ASSERT_TRUE(w.waitFor(event::Accepted, Colour));
    EXPECT_EQ(w.count(event::NewSelection, Colour), 1);
    EXPECT_EQ(w.run([&](Window&) { return std::string(chosen.colour.clipped()); }), "Blue");
}

TEST(SpinBox, ArrowKeysStepWithinTheRangeAndTypedValuesOutsideItAreRejected) {
    Chosen chosen;
    WindowThread w(choices(chosen));
    ASSERT_TRUE(w.waitFor(event::OpenWindow));
    w.run([](Window& win) {
        win.activate();
        win.select(Copies);
        return 0;
    });
    ASSERT_TRUE(uitest::waitUntil([&] { return w.run([](Window& win) { return win.focus(); }) == Copies; }));
    w.clearEvents();
    uitest::pressKey(VK_UP);
    ASSERT_TRUE(w.waitFor(event::NewSelection, Copies, uitest::InputTimeout));
    EXPECT_EQ(w.run([&](Window&) { return chosen.copies.get(); }), 7);
    for (int i = 0; i < 4; ++i) {
        uitest::pressKey(VK_UP);
    }
    EXPECT_TRUE(uitest::waitUntil([&] { return w.run([&](Window&) { return chosen.copies.get(); }) == 10; },
                                  uitest::InputTimeout))
        << "stops at the top of the range";

    w.clearEvents();
    w.run([](Window& win) {
        win.setText(Copies, "50");
        win.select(0);
        return 0;
    });
    ASSERT_TRUE(w.waitFor(event::Rejected, Copies));
    EXPECT_EQ(w.count(event::Completed), 0);
    EXPECT_EQ(w.run([&](Window&) { return chosen.copies.get(); }), 10) << "the variable keeps its value";
}

} // namespace
