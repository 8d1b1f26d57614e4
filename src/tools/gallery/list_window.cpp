// The customers window: a list that pages through a million generated rows
// the way a browse pages through a file, with its "Browse Actions" toolbox on
// a thread of its own and a form that runs modally on the list's thread.
#include <string>

#include "gallery.h"
#include "generated_rows.h"
#include "list_pager.h"
#include "runtime/sys/events.h"
#include "runtime/ui/fonts.h"
#include "runtime/ui/threads.h"
#include "runtime/ui/window.h"

namespace gallery {
namespace {

using namespace runtime;
using namespace runtime::ui;

namespace id {
constexpr int32_t Change = 11;
constexpr int32_t Close = 12;
constexpr int32_t FormOk = 20;
} // namespace id

// The web column looks like a link: blue and underlined, through a list style.
constexpr int32_t LinkStyle = 1;

WindowDefinition definition(Queue<Customer>& rows) {
    return {.caption = "Customers",
            .font = {"Tahoma", 8, -1, 0},
            .icon = "pictures\\list.ico",
            .at = {30, 20, 420, 232},
            .flags = wattr::SystemMenu | wattr::MinimiseBox | wattr::MaximiseBox | wattr::MdiChild |
                     wattr::StatusBar,
            .controls = {
                {.number = CustomerList,
                 .kind = kind::List,
                 .at = {6, 6, 408, 186},
                 .tooltip = "",
                 .columns =
                     {{.header = "Number",
                       .width = 36,
                       .align = Align::Right,
                       .picture = "@n_7",
                       .field = fieldOf(&Customer::number)},
                      {.header = "Name", .width = 80, .field = fieldOf(&Customer::name)},
                      {.header = "City", .width = 52, .field = fieldOf(&Customer::city)},
                      {.header = "State",
                       .width = 30,
                       .align = Align::Centre,
                       .field = fieldOf(&Customer::state)},
                      {.header = "Phone", .width = 56, .field = fieldOf(&Customer::phone)},
                      {.header = "Balance",
                       .width = 48,
                       .align = Align::Right,
                       .picture = "@n-12.2",
                       .field = fieldOf(&Customer::balance),
                       .colour = 0x006000},
                      {.header = "Web", .width = 96, .field = fieldOf(&Customer::web), .style = LinkStyle}},
                 .rows = &rows,
                 .flags = attr::Paged},
                {.number = id::Change, .kind = kind::Button, .at = {310, 198, 50, 14}, .text = "&Change..."},
                {.number = id::Close,
                 .kind = kind::Button,
                 .at = {364, 198, 50, 14},
                 .text = "Close",
                 .flags = attr::StandardClose},
            }};
}

// The selected customer in a form, modal on the list's thread: the list
// waits until it closes.
void runForm(Customer& customer) {
    WindowDefinition form{.caption = "Change Customer",
                          .font = {"Tahoma", 8, -1, 0},
                          .at = {-1, -1, 220, 112},
                          .flags = wattr::SystemMenu | wattr::Modal,
                          .controls = {
                              {.number = 1, .kind = kind::Prompt, .at = {8, 10, 0, 0}, .text = "Number:"},
                              {.number = 2,
                               .kind = kind::VariableString,
                               .at = {50, 10, 0, 0},
                               .picture = "@n_7",
                               .variable = Variable::of(customer.number)},
                              {.number = 3, .kind = kind::Prompt, .at = {8, 26, 0, 0}, .text = "&Name:"},
                              {.number = 4,
                               .kind = kind::Entry,
                               .at = {50, 24, 120, 12},
                               .picture = "@s24",
                               .variable = Variable::of(customer.name)},
                              {.number = 5, .kind = kind::Prompt, .at = {8, 42, 0, 0}, .text = "&City:"},
                              {.number = 6,
                               .kind = kind::Entry,
                               .at = {50, 40, 90, 12},
                               .picture = "@s18",
                               .variable = Variable::of(customer.city)},
                              {.number = 7, .kind = kind::Prompt, .at = {8, 58, 0, 0}, .text = "&Balance:"},
                              {.number = 8,
                               .kind = kind::Entry,
                               .at = {50, 56, 60, 12},
                               .picture = "@n-12.2",
                               .variable = Variable::of(customer.balance),
                               .flags = attr::Right},
                              {.number = 9, .kind = kind::Line, .at = {8, 78, 204, 0}},
                              {.number = id::FormOk,
                               .kind = kind::Button,
                               .at = {108, 88, 50, 14},
                               .text = "OK",
                               .flags = attr::Default},
                              {.number = 21,
                               .kind = kind::Button,
                               .at = {162, 88, 50, 14},
                               .text = "Cancel",
                               .flags = attr::StandardClose},
                          }};
    Window window(form);
    while (window.accept()) {
        if (window.event() == event::Accepted && window.eventControl() == id::FormOk) {
            window.select(0);
        } else if (window.event() == event::Completed) {
            window.close();
        }
    }
}

std::string withThousands(size_t value) {
    std::string digits = std::to_string(value);
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped += ',';
        }
        grouped += digits[i];
    }
    return grouped;
}

} // namespace

void runList(int32_t frame, size_t count) {
    GeneratedRows source(count);
    Queue<Customer> rows;
    Window window(definition(rows));
    window.set(CustomerList, Prop::StyleFontStyle, fontstyle::Normal | fontstyle::Underline, LinkStyle);
    window.set(CustomerList, Prop::StyleFontColour, 0xCC6600, LinkStyle);
    window.setStatusZones({200, -1});
    ListPager pager(window, CustomerList, rows, source);
    pager.reset();
    int32_t self = currentThread();
    int32_t toolbox = start([self] { runToolbox(self); });

    auto showPlace = [&] {
        window.setStatusText("Customer " + withThousands(pager.selectedRow() + 1) + " of " +
                             withThousands(source.count()));
        window.setStatusText("Page of " + std::to_string(rows.count()) + " rows", 2);
    };
    showPlace();
    while (window.accept()) {
        int32_t happened = window.event();
        if (pager.take(happened)) {
            showPlace();
            continue;
        }
        bool openForm = happened == note::OpenForm ||
                        (happened == event::Accepted &&
                         (window.eventControl() == id::Change || window.eventControl() == CustomerList));
        if (happened == event::NewSelection && window.eventControl() == CustomerList) {
            pager.selectionChanged();
            showPlace();
        } else if (openForm) {
            Customer customer = source.row(pager.selectedRow());
            runForm(customer);
        }
    }
    if (toolbox != 0) {
        post(event::CloseWindow, 0, toolbox);
    }
    post(note::Closed, self, frame);
}

} // namespace gallery
