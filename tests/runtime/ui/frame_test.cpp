// The program's frame and what hangs on windows besides their content: menus
// and items (also made at run time), message lines in the status bar, the
// toolbar, child windows of other threads, sheets with tabs, progress bars
// and pictures.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

#include "runtime/sys/events.h"
#include "runtime/ui/mdi.h"
#include "runtime/ui/pictures.h"
#include "runtime/ui/threads.h"
#include "support/ui_harness.h"

namespace {

using namespace runtime;
using namespace runtime::ui;
using uitest::WindowThread;

constexpr int32_t FileMenu = -10;
constexpr int32_t OpenItem = -11;
constexpr int32_t ExitItem = -12;
constexpr int32_t Bar = -20;
constexpr int32_t BarButton = -21;
constexpr int32_t BarSearch = -22;

WindowDefinition frame() {
    return {.caption = "Frame",
            .font = {"Tahoma", 8, -1, 0},
            .at = {10, 10, 300, 180},
            .flags = wattr::SystemMenu | wattr::Resizable | wattr::MdiFrame | wattr::StatusBar,
            .controls = {
                {.number = FileMenu, .kind = kind::Menu, .text = "&File", .message = "Files"},
                {.number = OpenItem,
                 .kind = kind::MenuItem,
                 .text = "&Open",
                 .parent = FileMenu,
                 .message = "Open a window"},
                {.number = ExitItem, .kind = kind::MenuItem, .text = "E&xit", .parent = FileMenu},
                {.number = Bar, .kind = kind::Toolbar, .at = {0, 0, 0, 18}},
                {.number = BarButton,
                 .kind = kind::Button,
                 .at = {2, 2, 16, 14},
                 .text = "B",
                 .parent = Bar,
                 .tooltip = "A tool",
                 .message = "What the tool does"},
                {.number = BarSearch,
                 .kind = kind::Entry,
                 .at = {30, 3, 60, 12},
                 .parent = Bar,
                 .picture = "@s20"},
            }};
}

std::string menuText(HMENU menu, UINT position) {
    char text[64] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

std::string statusZone(HWND window, int zone) {
    HWND bar = FindWindowExA(window, nullptr, STATUSCLASSNAMEA, nullptr);
    char text[128] = {};
    if (bar != nullptr) {
        SendMessageA(bar, SB_GETTEXTA, static_cast<WPARAM>(zone), reinterpret_cast<LPARAM>(text));
    }
    return text;
}

TEST(Menus, ItemsAreChosenAddedAtTheEndRenamedAndDisabledByNumber) {
    WindowThread w(frame());
    ASSERT_TRUE(w.waitFor(event::OpenWindow));
    HWND handle = w.handle();
    HMENU bar = GetMenu(handle);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 1);
    EXPECT_EQ(menuText(bar, 0), "&File");
    HMENU file = GetSubMenu(bar, 0);
    ASSERT_EQ(GetMenuItemCount(file), 2);

    w.run([](Window& win) {
        EXPECT_EQ(win.create({.number = -13, .kind = kind::MenuItem, .text = "&Recent", .parent = FileMenu}),
                  -13);
        win.unhideControl(-13);
        win.setText(-13, "&Recent files");
        win.disableControl(OpenItem);
        win.set(ExitItem, Prop::Checked, true);
        return 0;
    });
    ASSERT_EQ(GetMenuItemCount(file), 3);
    EXPECT_EQ(menuText(file, 2), "&Recent files") << "a run-time item goes to the end of its menu";
    EXPECT_NE(GetMenuState(file, 0, MF_BYPOSITION) & MF_GRAYED, 0u);
    EXPECT_NE(GetMenuState(file, 1, MF_BYPOSITION) & MF_CHECKED, 0u);

    // Choosing an item gives its accepted event; a disabled one gives none.
    UINT exitId = GetMenuItemID(file, 1);
    UINT openId = GetMenuItemID(file, 0);
    w.clearEvents();
    PostMessageA(handle, WM_COMMAND, MAKEWPARAM(openId, 0), 0);
    PostMessageA(handle, WM_COMMAND, MAKEWPARAM(exitId, 0), 0);
    ASSERT_TRUE(w.waitFor(event::Accepted, ExitItem));
    EXPECT_EQ(w.count(event::Accepted, OpenItem), 0);

    w.run([](Window& win) { return win.destroy(-13); });
    EXPECT_EQ(GetMenuItemCount(file), 2);
}

TEST(StatusBar, MessageLinesOfMenusAndToolsShowInTheFirstZoneAndThenGiveWay) {
    WindowThread w(frame());
    ASSERT_TRUE(w.waitFor(event::OpenWindow));
    HWND handle = w.handle();
    w.run([](Window& win) {
        win.setStatusZones({100, -1});
        win.setStatusText("Ready");
        win.setStatusText("Second", 2);
        EXPECT_EQ(win.statusText(2), "Second");
        EXPECT_EQ(win.statusText(9), "") << "no such zone";
        return 0;
    });
    EXPECT_EQ(statusZone(handle, 0), "Ready");
    EXPECT_EQ(statusZone(handle, 1), "Second");

    HMENU file = GetSubMenu(GetMenu(handle), 0);
    UINT openId = GetMenuItemID(file, 0);
    SendMessageA(handle, WM_MENUSELECT, MAKEWPARAM(openId, MF_STRING), reinterpret_cast<LPARAM>(file));
    EXPECT_EQ(statusZone(handle, 0), "Open a window");
    w.run([](Window& win) {
        win.setStatusText("Changed meanwhile");
        return 0;
    });
    EXPECT_EQ(statusZone(handle, 0), "Open a window")
        << "the message line stays while the item is pointed at";
    SendMessageA(handle, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(statusZone(handle, 0), "Changed meanwhile");

    uitest::moveMouse(w.centreOf(BarButton));
    EXPECT_TRUE(uitest::waitUntil([&] { return statusZone(handle, 0) == "What the tool does"; },
                                  uitest::InputTimeout));
}

TEST(Toolbar, ItKeepsTheFrameWidthAndItsButtonsAreNumberedLikeAnyControl) {
    WindowThread w(frame());
    ASSERT_TRUE(w.waitFor(event::OpenWindow));
    RECT client{};
    GetClientRect(w.handle(), &client);
    RECT bar{};
    GetWindowRect(w.controlHandle(Bar), &bar);
    EXPECT_EQ(bar.right - bar.left, client.right);
    w.run([](Window& win) {
        win.activate();
        win.select(BarSearch);
        return 0;
    });
    ASSERT_TRUE(
        uitest::waitUntil([&] { return w.run([](Window& win) { return win.focus(); }) == BarSearch; }));
    w.clearEvents();
    uitest::click(w.centreOf(BarButton));
    EXPECT_TRUE(w.waitFor(event::Accepted, BarButton, uitest::InputTimeout));
    EXPECT_EQ(w.run([](Window& win) { return win.focus(); }), BarSearch) << "a tool leaves the focus alone";
    EXPECT_EQ(w.count(event::LoseFocus, BarSearch), 0);
    w.run([](Window& win) {
        win.hideControl(Bar);
        EXPECT_FALSE(win.get(BarButton, Prop::Visible).flag()) << "hidden with its toolbar";
        return 0;
    });
}

TEST(MdiFrame, AChildWindowOfAnotherThreadLivesInTheFrameAndClosesWithIt) {
    auto w = std::make_unique<WindowThread>(frame());
    ASSERT_TRUE(w->waitFor(event::OpenWindow));
    ASSERT_NE(mdi::frameClient(), nullptr);
    WindowThread child(
        {.caption = "Child", .at = {4, 4, 120, 60}, .flags = wattr::SystemMenu | wattr::MdiChild});
    ASSERT_TRUE(child.waitFor(event::OpenWindow));
    EXPECT_EQ(GetParent(child.handle()), mdi::frameClient());
    EXPECT_NE(child.thread(), w->thread());
    EXPECT_EQ(mdi::childCount(), 1u);
    w.reset(); // closes the frame, which closes its children first
    EXPECT_TRUE(child.waitFinished());
    EXPECT_EQ(mdi::frameClient(), nullptr);
}

constexpr int32_t Sheet = 1;
constexpr int32_t First = 2;
constexpr int32_t Second = 3;
constexpr int32_t OnFirst = 4;
constexpr int32_t OnSecond = 5;

WindowDefinition sheetWindow() {
    return {
        .caption = "Sheet",
        .font = {"Tahoma", 8, -1, 0},
        .at = {10, 10, 200, 120},
        .controls = {
            {.number = Sheet, .kind = kind::Sheet, .at = {4, 4, 192, 100}},
            {.number = First, .kind = kind::Tab, .text = "First", .parent = Sheet},
            {.number = Second, .kind = kind::Tab, .text = "Second", .parent = Sheet},
            {.number = OnFirst, .kind = kind::Button, .at = {12, 30, 50, 14}, .text = "One", .parent = First},
            {.number = OnSecond,
             .kind = kind::Button,
             .at = {12, 30, 50, 14},
             .text = "Two",
             .parent = Second},
        }};
}

TEST(Sheets, OnlyTheCurrentTabsControlsAreVisibleAndAClickedTabGivesNewSelection) {
    WindowThread w(sheetWindow());
    ASSERT_TRUE(w.waitFor(event::OpenWindow));
    w.run([](Window& win) {
        EXPECT_EQ(win.get(Sheet, Prop::Choice).number(), 1);
        EXPECT_TRUE(win.get(OnFirst, Prop::Visible).flag());
        EXPECT_FALSE(win.get(OnSecond, Prop::Visible).flag()) << "on a tab not shown";
        EXPECT_FALSE(win.get(OnSecond, Prop::Hidden).flag()) << "its own flag is untouched";
        return 0;
    });
    EXPECT_FALSE(IsWindowVisible(w.controlHandle(OnSecond)));

    HWND tabs = w.controlHandle(Sheet);
    RECT second{};
    SendMessageA(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    MapWindowPoints(tabs, nullptr, reinterpret_cast<POINT*>(&second), 2);
    w.run([](Window& win) {
        win.activate();
        return 0;
    });
    w.clearEvents();
    uitest::click({(second.left + second.right) / 2, (second.top + second.bottom) / 2});
    ASSERT_TRUE(w.waitFor(event::NewSelection, Sheet, uitest::InputTimeout));
    w.run([](Window& win) {
        EXPECT_EQ(win.get(Sheet, Prop::Choice).number(), 2);
        EXPECT_TRUE(win.get(OnSecond, Prop::Visible).flag());
        EXPECT_FALSE(win.get(OnFirst, Prop::Visible).flag());
        // Hiding the current tab makes the next shown one current.
        win.hideControl(Second);
        EXPECT_EQ(win.get(Sheet, Prop::Choice).number(), 1);
        EXPECT_TRUE(win.get(OnFirst, Prop::Visible).flag());
        EXPECT_FALSE(win.set(Sheet, Prop::Choice, 2)) << "only one tab is shown";
        return 0;
    });
}

TEST(ProgressBars, ThePositionFollowsTheVariableAndStaysInRange) {
    int32_t done = 30;
    WindowThread w({.caption = "Progress",
                    .at = {10, 10, 160, 40},
                    .controls = {{.number = 1,
                                  .kind = kind::Progress,
                                  .at = {4, 4, 150, 10},
                                  .variable = Variable::of(done),
                                  .low = 0,
                                  .high = 200}}});
    ASSERT_TRUE(w.waitFor(event::OpenWindow));
    HWND bar = w.controlHandle(1);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 30);
    EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, FALSE, 0), 200);
    w.run([&](Window& win) {
        done = 150;
        win.display(1);
        return 0;
    });
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 150);
    w.run([](Window& win) {
        win.set(1, Prop::Progress, 999);
        EXPECT_EQ(win.get(1, Prop::Progress).number(), 200);
        return 0;
    });
}

// A 2x2 24-bit bitmap file.
void writeBitmap(const std::string& path) {
    unsigned char file[] = {'B', 'M', 70, 0,   0,   0,   0,   0, 0, 0, 54, 0, 0, 0, // file header
                            40,  0,   0,  0,   2,   0,   0,   0, 2, 0, 0,  0, 1, 0,
                            24,  0,   0,  0,   0,   0,   16,  0, 0, 0, // info
                            0,   0,   0,  0,   0,   0,   0,   0, 0, 0, 0,  0, 0, 0,
                            0,   0,   0,  0,   255, 0,   255, 0, 0, 0, // row 1: red, green, padding
                            255, 0,   0,  255, 255, 255, 0,   0};      // row 2: blue, white, padding
    FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fwrite(file, 1, sizeof file, out);
    std::fclose(out);
}

TEST(Pictures, BitmapsAndIconsLoadAndDamagedOrMissingFilesGiveNone) {
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    std::string bmp = std::string(folder) + "rv_picture_test.bmp";
    writeBitmap(bmp);
    Picture picture = loadPicture(bmp);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture.size().cx, 2);
    EXPECT_EQ(picture.size().cy, 2);
    EXPECT_FALSE(picture.isIcon());

    std::string damaged = std::string(folder) + "rv_picture_damaged.jpg";
    FILE* out = std::fopen(damaged.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fputs("\xFF\xD8 not really a picture", out);
    std::fclose(out);
    EXPECT_FALSE(loadPicture(damaged));
    EXPECT_FALSE(loadPicture(std::string(folder) + "rv_no_such_picture.bmp"));
    EXPECT_FALSE(loadPicture(""));
    DeleteFileA(bmp.c_str());
    DeleteFileA(damaged.c_str());
}

} // namespace
