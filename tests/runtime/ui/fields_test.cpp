// Controls bound to variables: entries through display pictures, check boxes,
// options with radio buttons, texts with their word-wrapped lines, and the
// window's pass that accepts all fields.
#include <windows.h>

#include <atomic>
#include <gtest/gtest.h>

#include "runtime/sys/events.h"
#include "runtime/text/fields.h"
#include "runtime/text/packed_decimal.h"
#include "support/ui_harness.h"

namespace {

using namespace runtime;
using namespace runtime::ui;
using uitest::Seen;
using uitest::WindowThread;

constexpr int32_t NameEntry = 1;
constexpr int32_t AmountEntry = 2;
constexpr int32_t Newsletter = 3;
constexpr int32_t Contact = 4;
constexpr int32_t Email = 5;
constexpr int32_t Phone = 6;
constexpr int32_t Notes = 7;
constexpr int32_t Balance = 8;
constexpr int32_t Rating = 9;
constexpr int32_t Good = 10;
constexpr int32_t Bad = 11;
constexpr int32_t Button = 12;

struct Record {
    text::Fixed<10> name{"Ada"};
    text::Decimal<7, 2> amount;
    uint8_t newsletter = 0;
    text::Fixed<12> contact{"Phone"};
    text::Fixed<300> notes;
    int32_t rating = 2;
};

WindowDefinition form(Record& record) {
    return {
        .caption = "Fields",
        .font = {"Tahoma", 8, -1, 0},
        .at = {10, 10, 220, 150},
        .controls = {
            {.number = NameEntry,
             .kind = kind::Entry,
             .at = {6, 6, 80, 12},
             .picture = "@s10",
             .variable = Variable::of(record.name)},
            {.number = AmountEntry,
             .kind = kind::Entry,
             .at = {6, 22, 60, 12},
             .picture = "@n-9.2",
             .variable = Variable::of(record.amount)},
            {.number = Newsletter,
             .kind = kind::Check,
             .at = {6, 38, 0, 0},
             .text = "&Newsletter",
             .variable = Variable::of(record.newsletter)},
            {.number = Contact,
             .kind = kind::Option,
             .at = {100, 4, 100, 40},
             .text = "Contact",
             .variable = Variable::of(record.contact)},
            {.number = Email,
             .kind = kind::Radio,
             .at = {106, 14, 0, 0},
             .text = "&E-mail",
             .parent = Contact},
            {.number = Phone,
             .kind = kind::Radio,
             .at = {106, 26, 0, 0},
             .text = "&Phone",
             .parent = Contact},
            {.number = Notes,
             .kind = kind::Text,
             .at = {6, 52, 80, 40},
             .variable = Variable::of(record.notes)},
            {.number = Balance,
             .kind = kind::VariableString,
             .at = {6, 100, 0, 0},
             .picture = "@n-9.2",
             .variable = Variable::of(record.amount)},
            {.number = Rating,
             .kind = kind::Option,
             .at = {100, 50, 100, 40},
             .text = "Rating",
             .variable = Variable::of(record.rating),
             .flags = attr::NoFrame},
            {.number = Good, .kind = kind::Radio, .at = {106, 60, 0, 0}, .text = "Good", .parent = Rating},
            {.number = Bad, .kind = kind::Radio, .at = {106, 72, 0, 0}, .text = "Bad", .parent = Rating},
            {.number = Button, .kind = kind::Button, .at = {160, 130, 50, 14}, .text = "OK"},
        }};
}

// Text typed into an entry, as the user leaves it modified.
void typeInto(HWND entry, const char* text) {
    SendMessageA(entry, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    SendMessageA(entry, EM_SETMODIFY, TRUE, 0);
}

TEST(Fields, EntriesShowTheirVariableThroughThePicture) {
    Record record;
    record.amount.set(-123456);
    WindowThread w(form(record));
    w.run([](Window& win) {
        EXPECT_EQ(win.text(NameEntry), "Ada");
        EXPECT_EQ(win.text(AmountEntry), "-1234.56");
        EXPECT_EQ(win.text(Balance), "-1234.56");
        EXPECT_EQ(win.get(AmountEntry, Prop::Picture).text(), "@n-9.2");
        return 0;
    });
}

TEST(Fields, LeavingAChangedEntryStoresItOrRejectsItAndKeepsTheVariable) {
    Record record;
    WindowThread w(form(record));
    ASSERT_TRUE(w.waitFor(event::OpenWindow));
    w.run([](Window& win) {
        win.select(AmountEntry);
        return 0;
    });
    ASSERT_TRUE(w.waitFor(event::Selected, AmountEntry));
    typeInto(w.controlHandle(AmountEntry), "12.5");
    w.run([](Window& win) {
        win.select(NameEntry);
        return 0;
    });
    ASSERT_TRUE(w.waitFor(event::Accepted, AmountEntry));
    EXPECT_EQ(record.amount.units(), 1250);
    EXPECT_EQ(w.run([](Window& win) { return win.text(AmountEntry); }), "12.50")
        << "shown again as the picture shows it";

    w.clearEvents();
    typeInto(w.controlHandle(NameEntry), "A name far too long for ten");
    w.run([](Window& win) {
        win.select(AmountEntry);
        return 0;
    });
    ASSERT_TRUE(w.waitFor(event::Rejected, NameEntry));
    EXPECT_EQ(record.name, "Ada");
    EXPECT_TRUE(uitest::waitUntil([&] {
        return w.run([](Window& win) { return win.focus(); }) == NameEntry;
    })) << "a rejected entry gets the focus back";
}

TEST(Fields, ChecksAndOptionsStoreWhatIsChosen) {
    Record record;
    WindowThread w(form(record));
    w.run([](Window& win) {
        EXPECT_EQ(win.get(Contact, Prop::Choice).number(), 2) << "shows the variable's value";
        EXPECT_EQ(win.get(Rating, Prop::Choice).number(), 2) << "a number chooses by position";
        EXPECT_EQ(win.get(Newsletter, Prop::Checked).number(), 0);
        win.pressButton(Newsletter);
        win.pressButton(Email);
        win.pressButton(Good);
        return 0;
    });
    ASSERT_TRUE(w.waitFor(event::Accepted, Rating));
    EXPECT_EQ(record.newsletter, 1);
    EXPECT_EQ(record.contact, "E-mail") << "a text takes the radio's text without its mnemonic";
    EXPECT_EQ(record.rating, 1);
    EXPECT_EQ(w.count(event::Accepted, Newsletter), 1);
    EXPECT_EQ(w.count(event::Accepted, Contact), 1);
    record.contact = "phone";
    w.run([](Window& win) {
        win.display();
        EXPECT_EQ(win.get(Contact, Prop::Choice).number(), 2) << "matched without regard to case";
        return 0;
    });
}

TEST(Fields, TextsGiveTheirLinesAsTheyAreWrapped) {
    Record record;
    WindowThread w(form(record));
    std::string longLine(700, 'x');
    w.run([&](Window& win) {
        win.setText(Notes, "First paragraph of words that will not fit on one line of this box.\r\n\r\nLast");
        int32_t lines = win.get(Notes, Prop::LineCount).number32();
        EXPECT_GE(lines, 4);
        std::string joined;
        for (int32_t n = 1; n <= lines; ++n) {
            joined += win.get(Notes, Prop::Line, n).text();
        }
        EXPECT_EQ(joined.find("First paragraph"), 0u);
        EXPECT_EQ(win.get(Notes, Prop::Line, lines).text(), "Last");
        EXPECT_EQ(win.get(Notes, Prop::Line, lines - 1).text(), "") << "the empty line between";
        EXPECT_EQ(win.get(Notes, Prop::Line, lines + 1).text(), "");
        EXPECT_EQ(win.get(Notes, Prop::Line, 0).text(), "");
        win.set(Notes, Prop::Width, 5000);
        win.setText(Notes, longLine);
        EXPECT_EQ(win.get(Notes, Prop::Line, 1).text().size(), 511u)
            << "a line is handed out up to 511 characters";
        win.setText(Notes, "abcdef");
        win.set(Notes, Prop::SelStart, 4);
        EXPECT_EQ(win.get(Notes, Prop::SelStart).number(), 4) << "the cursor position is 1-based";
        return 0;
    });
}

TEST(Fields, AcceptingAllFieldsGoesThroughTheInputControlsThenCompletes) {
    Record record;
    WindowThread w(form(record));
    ASSERT_TRUE(w.waitFor(event::OpenWindow));
    typeInto(w.controlHandle(NameEntry), "Grace");
    w.clearEvents();
    w.run([](Window& win) {
        win.select(0);
        EXPECT_TRUE(win.acceptingAll());
        return 0;
    });
    ASSERT_TRUE(w.waitFor(event::Completed));
    std::vector<Seen> pass;
    for (const Seen& seen : w.events()) {
        if (seen.event == event::Accepted || seen.event == event::Completed) {
            pass.push_back(seen);
        }
    }
    std::vector<Seen> expected{
        {event::Accepted, NameEntry, 0, true},  {event::Accepted, AmountEntry, 0, true},
        {event::Accepted, Newsletter, 0, true}, {event::Accepted, Contact, 0, true},
        {event::Accepted, Notes, 0, true},      {event::Accepted, Rating, 0, true},
        {event::Completed, 0, 0, false}};
    for (Seen& seen : pass) {
        seen.keyCode = 0;
    }
    EXPECT_EQ(pass, expected);
    EXPECT_EQ(record.name, "Grace");
}

TEST(Fields, ARejectedFieldOrASelectionEndsThePassWithoutCompleting) {
    Record record;
    std::atomic<bool> selectDuringPass{false};
    WindowThread w(form(record), [&](Window& win) {
        if (win.event() == event::Accepted && win.eventControl() == AmountEntry && selectDuringPass) {
            win.select(NameEntry);
        }
    });
    ASSERT_TRUE(w.waitFor(event::OpenWindow));
    typeInto(w.controlHandle(AmountEntry), "not a number");
    w.clearEvents();
    w.run([](Window& win) {
        win.select(0);
        return 0;
    });
    ASSERT_TRUE(w.waitFor(event::Rejected, AmountEntry));
    typeInto(w.controlHandle(AmountEntry), "3");
    selectDuringPass = true;
    w.run([](Window& win) {
        win.select(0);
        return 0;
    });
    ASSERT_TRUE(w.waitFor(event::Selected, NameEntry));
    EXPECT_FALSE(w.run([](Window& win) { return win.acceptingAll(); }));
    EXPECT_EQ(w.count(event::Completed), 0);
    EXPECT_EQ(w.count(event::Accepted, Newsletter), 0);
}

} // namespace
