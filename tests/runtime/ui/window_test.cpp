// The window itself: its Win32 windows, units, place, caption, frame,
// scrolling, the thread's current window and modal windows.
#include <windows.h>

#include <atomic>
#include <gtest/gtest.h>
#include <string>
#include <thread>

#include "runtime/sys/events.h"
#include "runtime/ui/keys.h"
#include "runtime/ui/threads.h"
#include "support/ui_harness.h"

namespace {

using namespace runtime;
using namespace runtime::ui;
using uitest::WindowThread;
using namespace std::chrono_literals;

WindowDefinition plain(const char* caption = "Plain") {
    return {.caption = caption,
            .font = {"Tahoma", 8, -1, 0},
            .at = {20, 30, 120, 60},
            .controls = {{.number = 1, .kind = kind::Entry, .at = {6, 6, 60, 12}},
                         {.number = 2, .kind = kind::Button, .at = {60, 40, 50, 14}, .text = "OK"}}};
}

TEST(Window, HandlesUnitsAndPlace) {
    WindowThread w(plain());
    w.run([](Window& win) {
        EXPECT_EQ(GetAncestor(win.clientHandle(), GA_ROOT), win.handle());
        EXPECT_EQ(GetParent(reinterpret_cast<HWND>(static_cast<intptr_t>(win.get(1, Prop::Handle).number()))),
                  win.clientHandle())
            << "controls sit on the client area";
        Rect place = win.position();
        EXPECT_EQ(place.width, 120);
        EXPECT_EQ(place.height, 60);
        win.setPixelUnits(true);
        RECT client{};
        GetClientRect(win.handle(), &client);
        EXPECT_EQ(win.position().width, client.right);
        win.setPosition({50, 60, 300, 200});
        RECT outer{};
        GetWindowRect(win.handle(), &outer);
        GetClientRect(win.handle(), &client);
        EXPECT_EQ(outer.left, 50);
        EXPECT_EQ(outer.top, 60);
        EXPECT_EQ(client.right, 300);
        EXPECT_EQ(client.bottom, 200);
        return 0;
    });
}

TEST(Window, TitleCaptionFrameColourAndCursor) {
    WindowThread w(plain());
    w.run([](Window& win) {
        EXPECT_EQ(win.title(), "Plain");
        win.setTitle("Edit Help Tip...");
        EXPECT_EQ(win.title(), "Edit Help Tip...");
        RECT before{};
        GetClientRect(win.handle(), &before);
        EXPECT_TRUE(win.captionShown());
        win.setCaptionShown(false);
        EXPECT_FALSE(win.captionShown());
        EXPECT_FALSE(win.resizable());
        win.setResizable(true);
        EXPECT_TRUE(win.resizable());
        RECT after{};
        GetClientRect(win.handle(), &after);
        EXPECT_EQ(after.right, before.right) << "the content keeps its size";
        EXPECT_EQ(after.bottom, before.bottom);
        win.setColour(0xECFFFE);
        EXPECT_EQ(win.colour(), 0xECFFFE);
        win.setCursor("~hand.cur");
        EXPECT_EQ(win.cursor(), "~hand.cur");
        win.setBusy(true);
        EXPECT_TRUE(win.busy());
        win.setBusy(false);
        return 0;
    });
}

TEST(Window, TheContentScrollsWhenTallerThanTheWindow) {
    WindowDefinition tall = plain();
    tall.flags |= wattr::VScroll;
    tall.controls.push_back({.number = 3, .kind = kind::Button, .at = {6, 200, 50, 14}, .text = "Far down"});
    WindowThread w(tall);
    w.run([](Window& win) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        EXPECT_TRUE(GetScrollInfo(win.clientHandle(), SB_VERT, &info));
        EXPECT_GT(info.nMax, static_cast<int>(info.nPage));
        SendMessageA(win.clientHandle(), WM_VSCROLL, SB_BOTTOM, 0);
        EXPECT_GT(win.scrollOffset(), 0);
        Rect below = win.controlPosition(3);
        EXPECT_EQ(below.y, 200) << "positions stay those of the content";
        RECT shown{};
        GetWindowRect(reinterpret_cast<HWND>(static_cast<intptr_t>(win.get(3, Prop::Handle).number())),
                      &shown);
        RECT client{};
        GetWindowRect(win.clientHandle(), &client);
        EXPECT_LE(shown.bottom, client.bottom) << "scrolled into view";
        win.destroy(3);
        EXPECT_EQ(win.scrollOffset(), 0) << "nothing left to scroll to";
        return 0;
    });
}

TEST(Window, TheCurrentWindowIsTheLastOpenedOnTheThreadAndAModalOneHoldsTheOthers) {
    std::atomic<bool> outerDisabled{false};
    std::atomic<bool> outerCurrentAfter{false};
    std::atomic<bool> innerWasCurrent{false};
    WindowThread w(plain("Outer"), [&](Window& outer) {
        if (outer.event() != event::Accepted) {
            return;
        }
        WindowDefinition form = plain("Inner");
        form.flags |= wattr::Modal;
        Window inner(form);
        innerWasCurrent = currentWindow() == &inner;
        outerDisabled = !IsWindowEnabled(outer.handle());
        inner.close();
        while (inner.accept()) {
        }
        outerCurrentAfter = currentWindow() == &outer && IsWindowEnabled(outer.handle());
    });
    w.run([](Window& win) {
        EXPECT_EQ(currentWindow(), &win);
        win.pressButton(2);
        return 0;
    });
    ASSERT_TRUE(uitest::waitUntil([&] { return outerCurrentAfter.load(); }));
    EXPECT_TRUE(innerWasCurrent);
    EXPECT_TRUE(outerDisabled);
    EXPECT_EQ(currentWindow(), nullptr) << "the test's own thread has none";
}

TEST(Window, ActivationGivesFocusEventsAndYieldLeavesEventsForTheLoop) {
    WindowThread first(plain("First"));
    WindowThread second(plain("Second"));
    first.run([](Window& win) {
        win.activate();
        return 0;
    });
    ASSERT_TRUE(first.waitFor(event::GainFocus));
    second.run([](Window& win) {
        win.activate();
        return 0;
    });
    EXPECT_TRUE(first.waitFor(event::LoseFocus));
    EXPECT_TRUE(second.waitFor(event::GainFocus));
    first.clearEvents();
    first.run([](Window& win) {
        win.setTimer(1);
        Sleep(50);
        yield();
        win.setTimer(0);
        return 0;
    });
    EXPECT_TRUE(first.waitFor(event::Timer)) << "a timer seen while yielding still reaches the loop";
}

// A picture file of one colour, as a program ships its background pictures.
std::string writeBitmap(const char* name, COLORREF colour) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    std::string path = std::string(folder) + name;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = 4;
    info.biHeight = 4;
    info.biPlanes = 1;
    info.biBitCount = 32;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + 4 * 4 * 4;
    std::vector<DWORD> pixels(16, (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour));
    HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(out, &file, sizeof file, &written, nullptr);
    WriteFile(out, &info, sizeof info, &written, nullptr);
    WriteFile(out, pixels.data(), 64, &written, nullptr);
    CloseHandle(out);
    return path;
}

COLORREF screenPixel(HWND window, int x, int y) {
    POINT at{x, y};
    ClientToScreen(window, &at);
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

TEST(Window, TheBackgroundPictureFillsTheContentAndShowsBehindLabels) {
    WindowDefinition pictured = plain("Pictured");
    pictured.wallpaper = writeBitmap("rv_wallpaper.bmp", RGB(200, 30, 40));
    pictured.controls.push_back(
        {.number = 3, .kind = kind::String, .at = {6, 24, 0, 0}, .text = "On the picture"});
    WindowThread w(pictured);
    w.run([](Window& win) {
        win.activate();
        UpdateWindow(win.handle());
        return 0;
    });
    std::this_thread::sleep_for(200ms);
    HWND canvas = w.run([](Window& win) { return win.clientHandle(); });
    HWND label = w.controlHandle(3);
    RECT area{};
    GetWindowRect(label, &area);
    MapWindowPoints(nullptr, canvas, reinterpret_cast<POINT*>(&area), 2);
    EXPECT_EQ(screenPixel(canvas, 2, 60), RGB(200, 30, 40));
    EXPECT_EQ(screenPixel(canvas, area.right - 1, area.bottom - 1), RGB(200, 30, 40))
        << "behind the label's text";
}

TEST(Keys, CharactersOfKeyCodes) {
    const std::vector<std::pair<int32_t, std::optional<char>>> cases{
        {'A', 'a'},
        {key::Shift + 'A', 'A'},
        {'7', '7'},
        {VK_SPACE, ' '},
        {key::ctrl('A'), std::nullopt},
        {key::F1, std::nullopt},
        {key::Alt + 'X', std::nullopt},
        {mousekey::Right, std::nullopt},
    };
    for (const auto& [code, character] : cases) {
        EXPECT_EQ(characterOf(code), character) << code;
    }
}

} // namespace
