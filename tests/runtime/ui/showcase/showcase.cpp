// A window with every kind of control the runtime offers, for looking at: run
// it on the virtual display and take a picture of the screen. With a number of
// seconds as its argument it closes itself after that time.
#include <windows.h>

#include <cstdlib>

#include "runtime/sys/events.h"
#include "runtime/text/fields.h"
#include "runtime/text/packed_decimal.h"
#include "runtime/ui/fonts.h"
#include "runtime/ui/resources.h"
#include "runtime/ui/threads.h"
#include "runtime/ui/win32_interaction.h"
#include "runtime/ui/window.h"

namespace {

using namespace runtime;
using namespace runtime::ui;

struct Customer {
    text::Fixed<30> name{"Ada Lovelace"};
    text::Long number{1815};
    text::Decimal<9, 2> balance;
    uint8_t newsletter = 1;
    uint8_t history = 0;
    text::Fixed<20> contact{"Telephone"};
    text::Fixed<200> notes{"Prefers to be called in the morning. Asked for the new catalogue, "
                           "which goes out in spring."};
};

WindowDefinition showcase(Customer& customer) {
    return {.caption = "Customer Details",
            .font = {"Tahoma", 8, -1, 0},
            .at = {-1, -1, 292, 212},
            .controls = {
                {.number = 1,
                 .kind = kind::String,
                 .at = {7, 6, 0, 0},
                 .text = "Customer Details",
                 .font = {"", 10, -1, fontstyle::Bold}},
                {.number = 2, .kind = kind::Line, .at = {7, 20, 278, 0}},
                {.number = 3, .kind = kind::Prompt, .at = {7, 29, 0, 0}, .text = "&Name:"},
                {.number = 4,
                 .kind = kind::Entry,
                 .at = {52, 27, 110, 12},
                 .tooltip = "The customer's full name",
                 .picture = "@s30",
                 .variable = Variable::of(customer.name)},
                {.number = 5, .kind = kind::Prompt, .at = {7, 45, 0, 0}, .text = "N&umber:"},
                {.number = 6,
                 .kind = kind::Entry,
                 .at = {52, 43, 42, 12},
                 .picture = "@n-13",
                 .variable = Variable::of(customer.number),
                 .flags = attr::Right},
                {.number = 7, .kind = kind::Prompt, .at = {100, 45, 0, 0}, .text = "Balance:"},
                {.number = 8,
                 .kind = kind::VariableString,
                 .at = {130, 45, 0, 0},
                 .picture = "@n-12.2",
                 .variable = Variable::of(customer.balance)},
                {.number = 9, .kind = kind::Group, .at = {7, 62, 155, 42}, .text = "Preferences"},
                {.number = 10,
                 .kind = kind::Check,
                 .at = {14, 74, 0, 0},
                 .text = "&Send newsletters",
                 .parent = 9,
                 .variable = Variable::of(customer.newsletter)},
                {.number = 11,
                 .kind = kind::Check,
                 .at = {14, 87, 0, 0},
                 .text = "&Keep history",
                 .parent = 9,
                 .variable = Variable::of(customer.history)},
                {.number = 12,
                 .kind = kind::Option,
                 .at = {170, 24, 115, 50},
                 .text = "&Contact by",
                 .variable = Variable::of(customer.contact)},
                {.number = 13, .kind = kind::Radio, .at = {177, 36, 0, 0}, .text = "E-mail", .parent = 12},
                {.number = 14, .kind = kind::Radio, .at = {177, 48, 0, 0}, .text = "Telephone", .parent = 12},
                {.number = 15, .kind = kind::Radio, .at = {177, 60, 0, 0}, .text = "Letter", .parent = 12},
                {.number = 16, .kind = kind::Prompt, .at = {7, 110, 0, 0}, .text = "N&otes:"},
                {.number = 17,
                 .kind = kind::Text,
                 .at = {7, 120, 155, 40},
                 .variable = Variable::of(customer.notes)},
                {.number = 18,
                 .kind = kind::Panel,
                 .at = {170, 80, 115, 40},
                 .colour = 0xECFFFE,
                 .flags = attr::Border},
                {.number = 19,
                 .kind = kind::String,
                 .at = {176, 85, 0, 0},
                 .text = "Tips are shown on a\r\npanel like this one.",
                 .parent = 18},
                {.number = 20,
                 .kind = kind::String,
                 .at = {176, 105, 0, 0},
                 .text = "www.example.org",
                 .parent = 18,
                 .font = {"", 0, 0xFF0000, fontstyle::Normal | fontstyle::Underline}},
                {.number = 21,
                 .kind = kind::Region,
                 .at = {176, 105, 58, 9},
                 .parent = 18,
                 .cursor = "~hand.cur",
                 .tooltip = "Opens the web site\r\nin your browser",
                 .flags = attr::TrackMouse},
                {.number = 22, .kind = kind::Box, .at = {170, 126, 115, 34}},
                {.number = 23, .kind = kind::String, .at = {176, 131, 0, 0}, .text = "Last order:"},
                {.number = 24, .kind = kind::String, .at = {176, 143, 0, 0}, .text = "12 March, 3 items"},
                {.number = 25, .kind = kind::Line, .at = {7, 170, 278, 0}},
                {.number = 26,
                 .kind = kind::Button,
                 .at = {7, 180, 20, 20},
                 .icon = systemResourceName(32516),
                 .tooltip = "About this window"},
                {.number = 27,
                 .kind = kind::Button,
                 .at = {181, 184, 50, 14},
                 .text = "OK",
                 .flags = attr::Default},
                {.number = 28,
                 .kind = kind::Button,
                 .at = {235, 184, 50, 14},
                 .text = "Cancel",
                 .flags = attr::StandardClose},
            }};
}

} // namespace

int main(int argc, char** argv) {
    installWin32Interaction();
    Customer customer;
    customer.balance.set(123456);
    int seconds = argc > 1 ? std::atoi(argv[1]) : 0;
    Window window(showcase(customer));
    if (seconds > 0) {
        window.setTimer(seconds * 100);
    }
    while (window.accept()) {
        switch (window.event()) {
        case event::Timer:
            window.close();
            break;
        case event::Accepted:
            if (window.eventControl() == 27) {
                window.select(0);
            } else if (window.eventControl() == 26) {
                runtime::message("A window with every kind of control.", "About", Icon::Information);
            } else if (window.eventControl() == 21) {
                runtime::message("The link was clicked.", "Link", Icon::Information);
            }
            break;
        case event::Completed:
            window.close();
            break;
        default:
            break;
        }
    }
    return 0;
}
