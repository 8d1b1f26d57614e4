// Controls: their properties by number, run-time creation and destruction,
// field order, and parents that hide and disable what they hold.
#include <windows.h>

#include <cstdint>
#include <gtest/gtest.h>

#include "runtime/sys/events.h"
#include "runtime/ui/fonts.h"
#include "support/ui_harness.h"

namespace {

using namespace runtime;
using namespace runtime::ui;
using uitest::WindowThread;

constexpr int32_t Heading = 1;
constexpr int32_t Group = 2;
constexpr int32_t InGroup = 3;
constexpr int32_t Panel = 4;
constexpr int32_t OnPanel = 5;
constexpr int32_t Ok = 6;

WindowDefinition window() {
    return {.caption = "Controls",
            .font = {"Tahoma", 8, -1, 0},
            .at = {10, 10, 200, 120},
            .controls = {
                {.number = Heading,
                 .kind = kind::String,
                 .at = {6, 6, 0, 0},
                 .text = "Heading",
                 .font = {"", 10, -1, fontstyle::Bold}},
                {.number = Group, .kind = kind::Group, .at = {6, 20, 90, 40}, .text = "Group"},
                {.number = InGroup,
                 .kind = kind::Check,
                 .at = {12, 32, 0, 0},
                 .text = "&Inside",
                 .parent = Group},
                {.number = Panel, .kind = kind::Panel, .at = {100, 20, 90, 40}, .colour = 0xECFFFE},
                {.number = OnPanel,
                 .kind = kind::Button,
                 .at = {110, 30, 50, 14},
                 .text = "On panel",
                 .parent = Panel},
                {.number = Ok,
                 .kind = kind::Button,
                 .at = {140, 100, 50, 14},
                 .text = "OK",
                 .flags = attr::Default},
            }};
}

LOGFONTA fontOf(HWND control) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

TEST(Controls, FontPartsAreReadAndSetAndReachTheWin32Control) {
    WindowThread w(window());
    HWND heading = w.controlHandle(Heading);
    EXPECT_EQ(fontOf(heading).lfWeight, 700);
    w.run([](Window& win) {
        EXPECT_EQ(win.get(Heading, Prop::FontName).text(), "Tahoma");
        EXPECT_EQ(win.get(Heading, Prop::FontSize).number(), 10);
        EXPECT_EQ(win.get(Heading, Prop::FontStyle).number(), fontstyle::Bold);
        EXPECT_EQ(win.get(Heading, Prop::FontColour).number(), DefaultColour);
        win.set(Heading, Prop::FontStyle, fontstyle::Normal | fontstyle::Underline);
        win.set(Heading, Prop::FontColour, 0xFF0000);
        EXPECT_EQ(win.get(Heading, Prop::FontStyle).number(), 0x2190);
        EXPECT_EQ(win.get(Heading, Prop::FontColour).number(), 0xFF0000);
        return 0;
    });
    LOGFONTA changed = fontOf(heading);
    EXPECT_EQ(changed.lfWeight, 400);
    EXPECT_TRUE(changed.lfUnderline);
}

// How much ink a control puts on white when it draws itself, in pixels of black.
int inkOf(HWND control) {
    RECT box{};
    GetClientRect(control, &box);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = box.right;
    format.bmiHeader.biHeight = -box.bottom;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    WindowDc screen(nullptr);
    void* bits = nullptr;
    Bitmap canvas(CreateDIBSection(screen.get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDc memory(screen.get());
    Selected into(memory.get(), canvas.get());
    FillRect(memory.get(), &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT);
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    int darkness = 0;
    for (LONG i = 0; i < box.right * box.bottom; ++i) {
        uint32_t pixel = pixels[i];
        darkness +=
            255 - static_cast<int>((pixel & 0xFF) + ((pixel >> 8) & 0xFF) + ((pixel >> 16) & 0xFF)) / 3;
    }
    return darkness / 255;
}

// A bold font handle is not enough: a face whose bold draws the regular
// glyphs made bold headings look regular.
TEST(Controls, BoldLabelsAreDrawnHeavierThanRegularOnes) {
    WindowThread w(window());
    HWND heading = w.controlHandle(Heading);
    int bold = w.run([heading](Window&) { return inkOf(heading); });
    int regular = w.run([heading](Window& win) {
        win.set(Heading, Prop::FontStyle, fontstyle::Normal);
        return inkOf(heading);
    });
    EXPECT_GT(regular, 0);
    EXPECT_GT(bold, regular * 6 / 5);
}

TEST(Controls, PositionsReadBackInTheWindowsUnitsDialogOrPixels) {
    WindowThread w(window());
    w.run([](Window& win) {
        Rect group = win.controlPosition(Group);
        EXPECT_EQ(group, (Rect{6, 20, 90, 40}));
        win.set(Group, Prop::X, 30);
        win.set(Group, Prop::Height, 33);
        EXPECT_EQ(win.controlPosition(Group), (Rect{30, 20, 90, 33}));
        win.setPixelUnits(true);
        Rect pixels = win.controlPosition(Group);
        RECT real{};
        HWND handle = reinterpret_cast<HWND>(static_cast<intptr_t>(win.get(Group, Prop::Handle).number()));
        GetWindowRect(handle, &real);
        MapWindowPoints(nullptr, win.clientHandle(), reinterpret_cast<POINT*>(&real), 2);
        EXPECT_EQ(pixels, (Rect{real.left, real.top, real.right - real.left, real.bottom - real.top}));
        win.setControlPosition(Group, {5, 6, 70, 80});
        EXPECT_EQ(win.controlPosition(Group), (Rect{5, 6, 70, 80}));
        return 0;
    });
}

TEST(Controls, CommonPropertiesAreReadAsTheyWereSet) {
    WindowThread w(window());
    w.run([](Window& win) {
        EXPECT_EQ(win.get(Heading, Prop::Type).number(), kind::String);
        EXPECT_EQ(win.get(OnPanel, Prop::Type).number(), kind::Button);
        EXPECT_EQ(win.get(InGroup, Prop::Parent).number(), Group);
        EXPECT_EQ(win.get(Ok, Prop::Default).number(), 1);
        EXPECT_EQ(win.get(Panel, Prop::Colour).number(), 0xECFFFE);
        EXPECT_EQ(win.get(Ok, Prop::Positional).number(), 0);
        const std::vector<std::pair<Prop, Value>> settings{
            {Prop::Text, "Changed"},     {Prop::Tooltip, "First line\r\nSecond line"},
            {Prop::Cursor, "~hand.cur"}, {Prop::Icon, "~default.ico"},
            {Prop::Colour, 0x00FF00},    {Prop::Positional, 1},
            {Prop::TrackMouse, 1},
        };
        for (const auto& [prop, value] : settings) {
            EXPECT_TRUE(win.set(Ok, prop, value)) << static_cast<int>(prop);
            EXPECT_EQ(win.get(Ok, prop).text(), value.text()) << static_cast<int>(prop);
        }
        EXPECT_FALSE(win.set(Ok, Prop::Type, kind::Entry)) << "the type is read only";
        EXPECT_FALSE(win.set(99, Prop::Text, "no such control"));
        EXPECT_EQ(win.get(99, Prop::Text).text(), "0");
        return 0;
    });
    char text[32] = {};
    GetWindowTextA(w.controlHandle(Ok), text, sizeof text);
    EXPECT_STREQ(text, "Changed");
    w.run([](Window& win) {
        EXPECT_EQ(win.control(Ok)->cursor(), LoadCursorA(nullptr, IDC_HAND)) << "a hand cursor needs no file";
        win.set(Ok, Prop::Cursor, "");
        EXPECT_EQ(win.control(Ok)->cursor(), nullptr);
        return 0;
    });
}

TEST(Controls, GroupsAndPanelsHideAndDisableWhatTheyHold) {
    WindowThread w(window());
    HWND inGroup = w.controlHandle(InGroup);
    HWND onPanel = w.controlHandle(OnPanel);
    w.run([](Window& win) {
        win.hideControl(Group);
        win.disableControl(Panel);
        return 0;
    });
    EXPECT_FALSE(IsWindowVisible(inGroup));
    EXPECT_TRUE(IsWindowVisible(onPanel));
    EXPECT_FALSE(IsWindowEnabled(onPanel));
    w.run([](Window& win) {
        EXPECT_EQ(win.get(InGroup, Prop::Hidden).number(), 0) << "its own flag is unchanged";
        EXPECT_EQ(win.get(InGroup, Prop::Visible).number(), 0);
        EXPECT_EQ(win.get(OnPanel, Prop::Enabled).number(), 0);
        win.hideControl(InGroup);
        win.unhideControl(Group);
        win.enableControl(Panel);
        return 0;
    });
    EXPECT_FALSE(IsWindowVisible(inGroup)) << "hidden on its own account";
    EXPECT_TRUE(IsWindowEnabled(onPanel));
    w.run([](Window& win) { return win.unhideControl(InGroup); });
    EXPECT_TRUE(IsWindowVisible(inGroup));
}

TEST(Controls, CreatedAtRunTimeHiddenUntilShownAndDestroyedWithWhatTheyHold) {
    WindowThread w(window());
    w.run([](Window& win) {
        EXPECT_EQ(win.create(300, kind::Panel), 300);
        EXPECT_EQ(win.create(301, kind::String, 300), 301);
        EXPECT_EQ(win.create(302, kind::Region, 300), 302);
        EXPECT_EQ(win.create(300, kind::Button), 0) << "number in use";
        EXPECT_EQ(win.create(303, kind::String, Ok), 0) << "a button holds nothing";
        EXPECT_EQ(win.create(304, 999), 0) << "unknown kind";
        EXPECT_EQ(win.create(0, kind::Button), 303) << "the next number after the highest";
        EXPECT_EQ(win.get(301, Prop::Visible).number(), 0);
        win.setText(301, "Made at run time");
        win.unhideControl(300);
        win.unhideControl(301);
        EXPECT_EQ(win.get(301, Prop::Visible).number(), 1);
        EXPECT_GT(win.get(301, Prop::Width).number(), 20) << "a label fits its text";
        EXPECT_EQ(win.lastField(), 303);
        EXPECT_TRUE(win.destroy(300));
        EXPECT_EQ(win.control(301), nullptr);
        EXPECT_EQ(win.control(302), nullptr);
        EXPECT_FALSE(win.destroy(300));
        win.destroyRange(Panel, 400);
        EXPECT_EQ(win.fields(), (std::vector<int32_t>{Heading, Group, InGroup}));
        return 0;
    });
}

TEST(Controls, FieldOrderIsDefinitionOrderThenCreationOrder) {
    WindowThread w(window());
    w.run([](Window& win) {
        win.create(50, kind::Entry);
        win.create(40, kind::Entry);
        EXPECT_EQ(win.firstField(), Heading);
        EXPECT_EQ(win.lastField(), 50);
        std::vector<int32_t> walked;
        for (int32_t at = win.nextField(0); at != 0; at = win.nextField(at)) {
            walked.push_back(at);
        }
        EXPECT_EQ(walked, (std::vector<int32_t>{Heading, Group, InGroup, Panel, OnPanel, Ok, 50, 40}));
        EXPECT_EQ(win.nextField(777), 0);
        return 0;
    });
}

TEST(Controls, LabelsFitTheirTextAndKeepFittingIt) {
    WindowThread w(window());
    w.run([](Window& win) {
        win.setPixelUnits(true);
        int32_t before = win.get(Heading, Prop::Width).number32();
        win.setText(Heading, "A much longer heading than before");
        int32_t after = win.get(Heading, Prop::Width).number32();
        EXPECT_GT(after, before * 2);
        win.set(Heading, Prop::FontSize, 20);
        EXPECT_GT(win.get(Heading, Prop::Width).number32(), after);
        win.set(Heading, Prop::Width, 40);
        win.setText(Heading, "Fixed width from now on");
        EXPECT_EQ(win.get(Heading, Prop::Width).number32(), 40);
        return 0;
    });
}

} // namespace
