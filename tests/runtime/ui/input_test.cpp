// Keyboard and mouse: alerted keys and key codes, the key-alias table, and the
// keys and clicks of a dialog through real input (Tab, Enter, Esc, mnemonics,
// right clicks, hovering).
#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

#include "runtime/sys/events.h"
#include "runtime/ui/keys.h"
#include "support/ui_harness.h"

namespace {

using namespace runtime;
using namespace runtime::ui;
using uitest::Seen;
using uitest::WindowThread;
using namespace std::chrono_literals;

constexpr int32_t NamePrompt = 1;
constexpr int32_t NameEntry = 2;
constexpr int32_t HiddenEntry = 3;
constexpr int32_t DisabledEntry = 4;
constexpr int32_t CityEntry = 5;
constexpr int32_t Label = 6;
constexpr int32_t Link = 7;
constexpr int32_t Next = 8;
constexpr int32_t Ok = 9;
constexpr int32_t Cancel = 10;

struct Typed {
    text::Fixed<20> name;
    text::Fixed<20> city;
};

WindowDefinition dialog(Typed& typed) {
    return {
        .caption = "Input",
        .font = {"Tahoma", 8, -1, 0},
        .at = {30, 30, 200, 110},
        .controls = {
            {.number = NamePrompt, .kind = kind::Prompt, .at = {6, 8, 0, 0}, .text = "N&ame:"},
            {.number = NameEntry,
             .kind = kind::Entry,
             .at = {40, 6, 80, 12},
             .variable = Variable::of(typed.name)},
            {.number = HiddenEntry, .kind = kind::Entry, .at = {40, 22, 80, 12}, .flags = attr::Hidden},
            {.number = DisabledEntry, .kind = kind::Entry, .at = {40, 38, 80, 12}, .flags = attr::Disabled},
            {.number = CityEntry,
             .kind = kind::Entry,
             .at = {40, 54, 80, 12},
             .variable = Variable::of(typed.city)},
            {.number = Label, .kind = kind::String, .at = {130, 8, 60, 10}, .text = "A label"},
            {.number = Link, .kind = kind::Region, .at = {130, 30, 60, 20}, .flags = attr::TrackMouse},
            {.number = Next, .kind = kind::Button, .at = {6, 90, 50, 14}, .text = "&Next"},
            {.number = Ok,
             .kind = kind::Button,
             .at = {90, 90, 50, 14},
             .text = "OK",
             .flags = attr::Default},
            {.number = Cancel,
             .kind = kind::Button,
             .at = {144, 90, 50, 14},
             .text = "Cancel",
             .flags = attr::StandardClose},
        }};
}

// Opens the dialog, brings it to the front and waits until its first field has the focus.
void bringToFront(WindowThread& w) {
    ASSERT_TRUE(w.waitFor(event::OpenWindow));
    w.run([](Window& win) {
        win.activate();
        return 0;
    });
    ASSERT_TRUE(
        uitest::waitUntil([&] { return w.run([](Window& win) { return win.focus(); }) == NameEntry; }));
    w.clearEvents();
}

int32_t focusOf(WindowThread& w) {
    return w.run([](Window& win) { return win.focus(); });
}

TEST(Alerts, KeysAreAppendedPutInSlotsAndRemoved) {
    Typed typed;
    WindowThread w(dialog(typed));
    w.run([](Window& win) {
        EXPECT_TRUE(win.alertKey(NameEntry, key::F2));
        EXPECT_TRUE(win.setAlert(NameEntry, 5, key::F3));
        EXPECT_TRUE(win.alertKey(NameEntry, mousekey::Right));
        EXPECT_EQ(win.alerts(NameEntry), (std::vector<int32_t>{key::F2, key::F3, mousekey::Right}))
            << "appended after the last key already alerted";
        EXPECT_TRUE(win.unalertKey(NameEntry, key::F3));
        EXPECT_TRUE(win.alertKey(NameEntry, key::ctrl('E')));
        EXPECT_EQ(win.alerts(NameEntry), (std::vector<int32_t>{key::F2, mousekey::Right, key::ctrl('E')}));
        EXPECT_FALSE(win.alertKey(99, key::F2)) << "no such control";
        EXPECT_TRUE(win.isAlerted(NameEntry, key::F2));
        EXPECT_FALSE(win.isAlerted(CityEntry, key::F2));
        win.alert(key::F2);
        EXPECT_TRUE(win.isAlerted(CityEntry, key::F2)) << "a window's alert holds for every control";
        return 0;
    });
}

TEST(Alerts, APressedAlertedKeyGivesTheAlertEventForTheFocusedControl) {
    Typed typed;
    WindowThread w(dialog(typed));
    bringToFront(w);
    w.run([](Window& win) {
        win.alertKey(NameEntry, key::ctrl('E'));
        win.pressKey(key::ctrl('E'));
        return 0;
    });
    ASSERT_TRUE(w.waitFor(event::AlertKey, NameEntry));
    Seen alert = w.events().back();
    EXPECT_EQ(alert.keyCode, key::ctrl('E'));
    w.run([](Window& win) {
        EXPECT_EQ(win.keyCode(), key::ctrl('E'));
        win.clearKeyCode();
        EXPECT_EQ(win.keyCode(), 0);
        win.setKeyCode(key::F3);
        EXPECT_EQ(win.keyCode(), key::F3);
        return 0;
    });
}

TEST(Alerts, AnAliasMakesAKeyCountAsAnotherForEveryWindow) {
    Typed typed;
    WindowThread w(dialog(typed));
    bringToFront(w);
    setKeyAlias(key::F1, key::ctrl('H'));
    w.run([](Window& win) {
        win.alert(key::ctrl('H'));
        return 0;
    });
    uitest::pressKey(VK_F1);
    ASSERT_TRUE(w.waitFor(event::AlertKey, NameEntry));
    EXPECT_EQ(w.events().back().keyCode, key::ctrl('H'));
    clearKeyAliases();
    w.clearEvents();
    w.run([](Window& win) {
        win.pressKey(key::F1);
        return 0;
    });
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(w.count(event::AlertKey), 0);
    EXPECT_EQ(applyKeyAlias(key::F1), key::F1);
}

TEST(Keyboard, TabMovesTheFocusInFieldOrderPastHiddenAndDisabledControls) {
    Typed typed;
    WindowThread w(dialog(typed));
    bringToFront(w);
    uitest::pressKey(VK_TAB);
    EXPECT_TRUE(uitest::waitUntil([&] { return focusOf(w) == CityEntry; }, uitest::InputTimeout));
    uitest::pressKey(VK_TAB);
    EXPECT_TRUE(uitest::waitUntil([&] { return focusOf(w) == Next; }, uitest::InputTimeout));
    uitest::pressKey(VK_TAB, true);
    EXPECT_TRUE(uitest::waitUntil([&] { return focusOf(w) == CityEntry; }, uitest::InputTimeout));
    w.run([](Window& win) {
        win.pressKey(key::ShiftTab);
        return 0;
    });
    EXPECT_TRUE(uitest::waitUntil([&] { return focusOf(w) == NameEntry; }, uitest::InputTimeout));
}

TEST(Keyboard, EnterStoresTheTypedTextThenPressesTheDefaultButton) {
    Typed typed;
    WindowThread w(dialog(typed));
    bringToFront(w);
    uitest::typeText("bob");
    uitest::pressKey(VK_RETURN);
    ASSERT_TRUE(w.waitFor(event::Accepted, Ok, uitest::InputTimeout));
    std::vector<Seen> seen = w.events();
    auto entry =
        std::find_if(seen.begin(), seen.end(), [](const Seen& s) { return s.event == event::Accepted; });
    ASSERT_NE(entry, seen.end());
    EXPECT_EQ(entry->control, NameEntry) << "the entry is accepted before the button";
    EXPECT_EQ(typed.name, "bob");
}

TEST(Keyboard, EscapePressesTheStandardCloseButtonWhichClosesTheWindow) {
    Typed typed;
    WindowThread w(dialog(typed));
    bringToFront(w);
    uitest::pressKey(VK_ESCAPE);
    ASSERT_TRUE(w.waitFinished(uitest::InputTimeout));
    EXPECT_EQ(w.count(event::Accepted, Cancel), 1);
}

TEST(Keyboard, MnemonicsPressButtonsAndPromptsLeadToTheirField) {
    Typed typed;
    WindowThread w(dialog(typed));
    bringToFront(w);
    uitest::pressKey('N', false, false, true);
    ASSERT_TRUE(w.waitFor(event::Accepted, Next, uitest::InputTimeout));
    w.run([](Window& win) {
        win.select(CityEntry);
        return 0;
    });
    ASSERT_TRUE(uitest::waitUntil([&] { return focusOf(w) == CityEntry; }, uitest::InputTimeout));
    uitest::pressKey('A', false, false, true);
    EXPECT_TRUE(uitest::waitUntil([&] { return focusOf(w) == NameEntry; }, uitest::InputTimeout));
    w.run([](Window& win) {
        win.pressKey(key::Alt + 'N');
        return 0;
    });
    EXPECT_TRUE(uitest::waitUntil([&] { return w.count(event::Accepted, Next) == 2; }, uitest::InputTimeout));
}

TEST(Mouse, ARightClickOnAnAlertedControlGivesTheAlertEventWithKeyCodeTwo) {
    Typed typed;
    WindowThread w(dialog(typed));
    bringToFront(w);
    w.run([](Window& win) {
        win.alertKey(CityEntry, mousekey::Right);
        win.alertKey(Label, mousekey::Right);
        return 0;
    });
    uitest::click(w.centreOf(CityEntry), true);
    ASSERT_TRUE(w.waitFor(event::AlertKey, CityEntry, uitest::InputTimeout));
    EXPECT_EQ(w.events().back().keyCode, mousekey::Right);
    uitest::click(w.centreOf(Label), true);
    ASSERT_TRUE(w.waitFor(event::AlertKey, Label, uitest::InputTimeout))
        << "labels let clicks through, yet own them";
    uitest::click(w.centreOf(Next), true);
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(w.count(event::AlertKey, Next), 0) << "not alerted there";
    EXPECT_TRUE(uitest::waitUntil(
        [&] { return w.run([](Window& win) { return win.keyCode(); }) == mousekey::RightUp; },
        uitest::InputTimeout))
        << "yet the key code is set";
}

TEST(Mouse, ARegionTakesClicksUnlessItsLeftButtonIsAlerted) {
    Typed typed;
    WindowThread w(dialog(typed));
    bringToFront(w);
    uitest::click(w.centreOf(Link));
    ASSERT_TRUE(w.waitFor(event::Accepted, Link, uitest::InputTimeout));
    w.run([](Window& win) {
        win.alertKey(Link, mousekey::Left);
        return 0;
    });
    w.clearEvents();
    uitest::click(w.centreOf(Link));
    ASSERT_TRUE(w.waitFor(event::AlertKey, Link, uitest::InputTimeout));
    EXPECT_EQ(w.count(event::Accepted, Link), 0);
}

TEST(Mouse, ATrackedControlHearsTheMouseComeMoveAndGo) {
    Typed typed;
    WindowThread w(dialog(typed));
    bringToFront(w);
    POINT centre = w.centreOf(Link);
    uitest::moveMouse(w.centreOf(NameEntry));
    uitest::moveMouse(centre);
    uitest::moveMouse({centre.x + 3, centre.y + 2});
    ASSERT_TRUE(w.waitFor(event::MouseIn, Link, uitest::InputTimeout));
    ASSERT_TRUE(w.waitFor(event::MouseMove, Link, uitest::InputTimeout));
    EXPECT_EQ(w.run([](Window& win) { return win.controlUnderMouse(); }), Link);
    uitest::moveMouse(w.centreOf(NameEntry));
    ASSERT_TRUE(uitest::waitUntil(
        [&] { return w.run([](Window& win) { return win.controlUnderMouse(); }) == NameEntry; },
        uitest::InputTimeout));
    EXPECT_TRUE(uitest::waitUntil([&] {
        std::vector<Seen> seen = w.events();
        auto last = std::find_if(seen.rbegin(), seen.rend(), [](const Seen& s) {
            return s.control == Link && (s.event == event::MouseIn || s.event == event::MouseOut);
        });
        return last != seen.rend() && last->event == event::MouseOut;
    })) << "the mouse has gone";
    EXPECT_EQ(w.count(event::MouseIn, Label), 0) << "only controls that ask are told";
}

// The text of the tooltip showing now in this process, "" when none shows.
std::string shownTooltip() {
    std::string text;
    EnumWindows(
        [](HWND window, LPARAM found) -> BOOL {
            char type[64] = {};
            GetClassNameA(window, type, sizeof type);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process != GetCurrentProcessId() || std::string(type) != "tooltips_class32" ||
                !IsWindowVisible(window)) {
                return TRUE;
            }
            char buffer[256] = {};
            TTTOOLINFOA tool{};
            tool.cbSize = sizeof tool;
            tool.lpszText = buffer;
            if (SendMessageA(window, TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != 0) {
                *reinterpret_cast<std::string*>(found) = buffer;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    return text;
}

TEST(Mouse, TooltipsShowOverControlsAndOverLabelsThatLetTheMouseThrough) {
    Typed typed;
    WindowThread w(dialog(typed));
    bringToFront(w);
    w.run([](Window& win) {
        win.set(Next, Prop::Tooltip, "Goes on\r\nto the next page");
        win.set(Label, Prop::Tooltip, "Only a label");
        return 0;
    });
    for (const auto& [control, text] : std::vector<std::pair<int32_t, std::string>>{
             {Next, "Goes on\r\nto the next page"}, {Label, "Only a label"}}) {
        POINT centre = w.centreOf(control);
        uitest::moveMouse({centre.x - 2, centre.y});
        uitest::moveMouse(centre);
        EXPECT_TRUE(uitest::waitUntil([&] { return shownTooltip() == text; }, uitest::InputTimeout)) << text;
    }
}

TEST(Mouse, ThePositionIsReadInTheWindowsUnitsRelativeToItsContent) {
    Typed typed;
    WindowThread w(dialog(typed));
    bringToFront(w);
    HWND canvas = w.run([](Window& win) { return win.clientHandle(); });
    POINT inside{37, 41};
    ClientToScreen(canvas, &inside);
    uitest::moveMouse(inside);
    ASSERT_TRUE(uitest::waitUntil([&] {
        return w.run([](Window& win) {
            win.setPixelUnits(true);
            return win.mouseX() == 37 && win.mouseY() == 41;
        });
    }));
}

TEST(Mouse, CtrlHeldIsSeenWhileTheKeyIsDown) {
    INPUT down{};
    down.type = INPUT_KEYBOARD;
    down.ki.wVk = VK_CONTROL;
    SendInput(1, &down, sizeof down);
    EXPECT_TRUE(uitest::waitUntil([] { return ctrlHeld(); }, 2s));
    INPUT up = down;
    up.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &up, sizeof up);
    EXPECT_TRUE(uitest::waitUntil([] { return !ctrlHeld(); }, 2s));
}

TEST(Timer, TheWindowTimerGivesTimerEvents) {
    Typed typed;
    WindowThread w(dialog(typed));
    w.run([](Window& win) {
        win.setTimer(5);
        EXPECT_EQ(win.timer(), 5);
        return 0;
    });
    EXPECT_TRUE(uitest::waitUntil([&] { return w.count(event::Timer) >= 3; }));
    w.run([](Window& win) {
        win.setTimer(0);
        return 0;
    });
}

} // namespace
