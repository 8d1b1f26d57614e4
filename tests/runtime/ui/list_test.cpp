// List boxes: a paged list turns every way of moving into a scrolling event
// for the program and never scrolls by itself; a plain list scrolls over its
// own rows; columns show their header and picture; the program's thumb,
// selection and styles hold.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>
#include <string>

#include "runtime/sys/events.h"
#include "runtime/text/fields.h"
#include "runtime/text/packed_decimal.h"
#include "runtime/ui/list_box.h"
#include "runtime/ui/row_queue.h"
#include "support/ui_harness.h"

namespace {

using namespace runtime;
using namespace runtime::ui;
using uitest::WindowThread;

constexpr int32_t List = 1;
constexpr int32_t Other = 2;
constexpr int32_t LinkStyle = 3;

struct Row {
    text::Long number;
    text::Fixed<20> name;
    text::Decimal<7, 2> balance;
};

Row rowOf(int32_t number) {
    Row row;
    row.number = number;
    row.name = "Name " + std::to_string(number);
    row.balance.set(number * 150);
    return row;
}

// A page of `rows` rows starting at `first`.
void fill(Queue<Row>& queue, int32_t first, int32_t rows) {
    queue.clear();
    for (int32_t i = 0; i < rows; ++i) {
        queue.append(rowOf(first + i));
    }
}

WindowDefinition listWindow(Queue<Row>& rows, uint32_t flags) {
    return {.caption = "List",
            .font = {"Tahoma", 8, -1, 0},
            .at = {10, 10, 200, 120},
            .controls = {
                {.number = List,
                 .kind = kind::List,
                 .at = {4, 4, 192, 90},
                 .columns = {{.header = "Number",
                              .width = 40,
                              .align = Align::Right,
                              .picture = "@n_6",
                              .field = fieldOf(&Row::number)},
                             {.header = "Name", .width = 80, .field = fieldOf(&Row::name)},
                             {.header = "Balance",
                              .width = 50,
                              .align = Align::Right,
                              .picture = "@n-10.2",
                              .field = fieldOf(&Row::balance),
                              .style = LinkStyle}},
                 .rows = &rows,
                 .flags = flags},
                {.number = Other, .kind = kind::Button, .at = {4, 100, 50, 14}, .text = "Other"},
            }};
}

void focusList(WindowThread& w) {
    ASSERT_TRUE(w.waitFor(event::OpenWindow));
    w.run([](Window& win) {
        win.activate();
        win.select(List);
        return 0;
    });
    ASSERT_TRUE(uitest::waitUntil([&] { return w.run([](Window& win) { return win.focus(); }) == List; }));
    w.clearEvents();
}

TEST(PagedList, EveryKeyThatMovesBecomesAScrollEventAndTheRowsStayAsGiven) {
    Queue<Row> rows;
    fill(rows, 1, 5);
    WindowThread w(listWindow(rows, attr::Paged));
    focusList(w);
    struct Case {
        WORD key;
        int32_t event;
    };
    for (Case c : {Case{VK_UP, event::ScrollUp}, Case{VK_DOWN, event::ScrollDown},
                   Case{VK_PRIOR, event::PageUp}, Case{VK_NEXT, event::PageDown},
                   Case{VK_HOME, event::ScrollTop}, Case{VK_END, event::ScrollBottom}}) {
        w.clearEvents();
        uitest::pressKey(c.key);
        EXPECT_TRUE(w.waitFor(c.event, List, uitest::InputTimeout)) << "key " << c.key;
    }
    // Nothing moved by itself: the program decides what the list shows.
    EXPECT_EQ(w.run([](Window& win) { return win.get(List, Prop::Choice).number(); }), 0);
    EXPECT_EQ(rows.count(), 5u);
}

TEST(PagedList, TheScrollBarGivesScrollEventsAndDraggingTheThumbGivesItsPosition) {
    Queue<Row> rows;
    fill(rows, 1, 5);
    WindowThread w(listWindow(rows, attr::Paged));
    focusList(w);
    HWND list = w.controlHandle(List);
    SendMessageA(list, WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessageA(list, WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_TRUE(w.waitFor(event::ScrollDown, List));
    EXPECT_TRUE(w.waitFor(event::PageUp, List));

    // Drag the thumb from the top to the bottom of its track with the mouse.
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    ASSERT_TRUE(GetScrollBarInfo(list, OBJID_VSCROLL, &bar));
    int x = (bar.rcScrollBar.left + bar.rcScrollBar.right) / 2;
    int grab = bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2;
    int end = bar.rcScrollBar.bottom - bar.dxyLineButton;
    SetCursorPos(x, grab);
    INPUT press{};
    press.type = INPUT_MOUSE;
    press.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &press, sizeof press);
    for (int y = grab; y < end + 10; y += 8) {
        uitest::moveMouse({x, y});
    }
    INPUT release = press;
    release.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &release, sizeof release);
    ASSERT_TRUE(w.waitFor(event::ScrollDrag, List, uitest::InputTimeout));
    EXPECT_TRUE(uitest::waitUntil(
        [&] { return w.run([](Window& win) { return win.get(List, Prop::Thumb).number(); }) >= 90; },
        uitest::InputTimeout))
        << "the thumb ends near the bottom";
    EXPECT_EQ(rows.count(), 5u) << "the list holds only the page it was given";
}

TEST(PagedList, TheProgramPlacesTheThumbAndTheSelectionWithoutEvents) {
    Queue<Row> rows;
    fill(rows, 1, 5);
    WindowThread w(listWindow(rows, attr::Paged));
    focusList(w);
    w.run([&](Window& win) {
        win.set(List, Prop::Thumb, 40);
        win.set(List, Prop::Choice, 3);
        EXPECT_EQ(win.get(List, Prop::Thumb).number(), 40);
        EXPECT_EQ(win.get(List, Prop::Choice).number(), 3);
        win.set(List, Prop::Thumb, 250);
        EXPECT_EQ(win.get(List, Prop::Thumb).number(), 100) << "the thumb stays within 0-100";
        fill(rows, 100, 2);
        win.display(List);
        EXPECT_EQ(win.get(List, Prop::Choice).number(), 2) << "the selection stays on the shorter page";
        EXPECT_GE(win.get(List, Prop::Items).number(), 4) << "whole rows the list shows";
        return 0;
    });
    EXPECT_EQ(w.count(event::NewSelection), 0);
    EXPECT_EQ(w.count(event::ScrollDrag), 0);
}

TEST(PlainList, KeysMoveTheSelectionOverItsOwnRowsWithoutScrollEvents) {
    Queue<Row> rows;
    fill(rows, 1, 50);
    WindowThread w(listWindow(rows, 0));
    focusList(w);
    uitest::pressKey(VK_DOWN);
    ASSERT_TRUE(w.waitFor(event::NewSelection, List, uitest::InputTimeout));
    uitest::pressKey(VK_END);
    ASSERT_TRUE(uitest::waitUntil(
        [&] { return w.run([](Window& win) { return win.get(List, Prop::Choice).number(); }) == 50; },
        uitest::InputTimeout));
    EXPECT_GT(w.run([](Window& win) { return win.get(List, Prop::Thumb).number(); }), 90);
    EXPECT_EQ(w.count(event::ScrollDown) + w.count(event::ScrollBottom), 0);
}

TEST(ListColumns, CellsShowThroughTheirPicturesAndTheHeaderCarriesTheTitles) {
    Queue<Row> rows;
    fill(rows, 1, 3);
    rows.put(1, rowOf(-12345));
    WindowThread w(listWindow(rows, attr::Paged));
    ASSERT_TRUE(w.waitFor(event::OpenWindow));
    w.run([](Window& win) {
        auto* list = dynamic_cast<ListBox*>(win.control(List));
        EXPECT_NE(list, nullptr);
        if (list != nullptr) {
            EXPECT_EQ(list->cellText(0, 1), "1");
            EXPECT_EQ(list->cellText(0, 2), "Name 1");
            EXPECT_EQ(list->cellText(0, 3), "1.50");
            EXPECT_EQ(list->cellText(1, 3), "-18517.50");
            EXPECT_EQ(list->cellText(7, 1), "") << "no row there";
        }
        return 0;
    });
    HWND header = FindWindowExA(w.controlHandle(List), nullptr, WC_HEADERA, nullptr);
    ASSERT_NE(header, nullptr);
    ASSERT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 3);
    char text[32] = {};
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_FORMAT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(header, HDM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, "Name");
    SendMessageA(header, HDM_GETITEMA, 2, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.fmt & HDF_JUSTIFYMASK, HDF_RIGHT) << "the header lines up with its cells";
    RECT place{};
    GetWindowRect(header, &place);
    EXPECT_GT(place.bottom - place.top, 8) << "the header has a height";
}

TEST(ListColumns, StylesAndColoursAreReadAndSetByNumber) {
    Queue<Row> rows;
    fill(rows, 1, 3);
    WindowThread w(listWindow(rows, attr::Paged));
    ASSERT_TRUE(w.waitFor(event::OpenWindow));
    w.run([](Window& win) {
        EXPECT_TRUE(win.set(List, Prop::StyleFontStyle, 400 | 0x2000, LinkStyle));
        EXPECT_TRUE(win.set(List, Prop::StyleFontColour, 0xFF0000, LinkStyle));
        EXPECT_EQ(win.get(List, Prop::StyleFontStyle, LinkStyle).number(), 400 | 0x2000);
        EXPECT_EQ(win.get(List, Prop::StyleFontColour, LinkStyle).number(), 0xFF0000);
        EXPECT_EQ(win.get(List, Prop::ColumnStyle, 3).number(), LinkStyle);
        EXPECT_TRUE(win.set(List, Prop::ColumnColour, 0x00FF00, 2));
        EXPECT_EQ(win.get(List, Prop::ColumnColour, 2).number(), 0x00FF00);
        EXPECT_TRUE(win.set(List, Prop::ColumnHeader, "Full name", 2));
        EXPECT_EQ(win.get(List, Prop::ColumnHeader, 2).text(), "Full name");
        EXPECT_FALSE(win.set(List, Prop::ColumnColour, 1, 4)) << "no fourth column";
        EXPECT_FALSE(win.set(List, Prop::StyleColour, 1, 0)) << "styles are numbered from 1";
        EXPECT_EQ(win.get(List, Prop::Columns).number(), 3);
        return 0;
    });
}

TEST(ListColumns, TheColumnUnderTheMouseAndTheClickedColumnAreKnown) {
    Queue<Row> rows;
    fill(rows, 1, 5);
    WindowThread w(listWindow(rows, attr::Paged));
    focusList(w);
    HWND list = w.controlHandle(List);
    RECT outer{};
    GetWindowRect(list, &outer);
    int32_t nameX = 0;
    w.run([&](Window& win) {
        nameX = win.toPixelsX(40 + 20); // inside the second column
        return 0;
    });
    POINT onName{outer.left + 2 + nameX, outer.top + 2 + 30};
    uitest::moveMouse(onName);
    EXPECT_TRUE(uitest::waitUntil(
        [&] {
            return w.run([](Window& win) { return win.get(List, Prop::ColumnUnderMouse).number(); }) == 2;
        },
        uitest::InputTimeout));
    uitest::click(onName);
    ASSERT_TRUE(w.waitFor(event::NewSelection, List, uitest::InputTimeout));
    EXPECT_EQ(w.run([](Window& win) { return win.get(List, Prop::Column).number(); }), 2);
    EXPECT_GE(w.run([](Window& win) { return win.get(List, Prop::Choice).number(); }), 1);
}

} // namespace
