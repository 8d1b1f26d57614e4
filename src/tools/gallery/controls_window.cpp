// A child window holding every kind of control: labels, entries typed through
// their pictures, texts, buttons, checks, options, groups, panels, shapes, a
// region, a list, a combo, a spin, a progress bar and a picture.
#include <string>

#include "gallery.h"
#include "runtime/sys/events.h"
#include "runtime/sys/interaction.h"
#include "runtime/text/fields.h"
#include "runtime/text/packed_decimal.h"
#include "runtime/ui/fonts.h"
#include "runtime/ui/resources.h"
#include "runtime/ui/threads.h"
#include "runtime/ui/window.h"

namespace gallery {
namespace {

using namespace runtime;
using namespace runtime::ui;

struct Order {
    text::Fixed<30> name{"Ada Lovelace"};
    text::Long quantity{12};
    text::Decimal<9, 2> price;
    uint8_t express = 1;
    uint8_t gift = 0;
    text::Fixed<20> payment{"Card"};
    text::Fixed<20> colour{"Green"};
    text::Long copies{3};
    int32_t progress = 65;
    text::Fixed<200> notes{"Leave the parcel with the neighbour if nobody is at home. Call ahead."};
};

namespace id {
constexpr int32_t Quantity = 6;
constexpr int32_t Status = 8;
constexpr int32_t Progress = 40;
constexpr int32_t Ok = 50;
constexpr int32_t Font = 51;
constexpr int32_t Link = 28;
constexpr int32_t LinkText = 27;
} // namespace id

WindowDefinition definition(Order& order) {
    return {.caption = "Controls",
            .font = {"Tahoma", 8, -1, 0},
            .icon = "pictures\\controls.ico",
            .at = {8, 6, 400, 236},
            .flags = wattr::SystemMenu | wattr::MinimiseBox | wattr::MaximiseBox | wattr::MdiChild,
            .controls = {
                {.number = 1,
                 .kind = kind::String,
                 .at = {7, 6, 0, 0},
                 .text = "New Order",
                 .font = {"", 10, -1, fontstyle::Bold}},
                {.number = 2, .kind = kind::Line, .at = {7, 20, 386, 0}},
                {.number = 3, .kind = kind::Prompt, .at = {7, 29, 0, 0}, .text = "&Name:"},
                {.number = 4,
                 .kind = kind::Entry,
                 .at = {52, 27, 110, 12},
                 .tooltip = "The customer's name",
                 .picture = "@s30",
                 .variable = Variable::of(order.name)},
                {.number = 5, .kind = kind::Prompt, .at = {7, 45, 0, 0}, .text = "&Quantity:"},
                {.number = id::Quantity,
                 .kind = kind::Entry,
                 .at = {52, 43, 36, 12},
                 .tooltip = "1 to 999; letters cannot be typed",
                 .picture = "@n3",
                 .variable = Variable::of(order.quantity),
                 .flags = attr::Right},
                {.number = 7, .kind = kind::Prompt, .at = {96, 45, 0, 0}, .text = "Price:"},
                {.number = id::Status,
                 .kind = kind::VariableString,
                 .at = {120, 45, 42, 0},
                 .picture = "@n-12.2",
                 .variable = Variable::of(order.price),
                 .flags = attr::Right},
                {.number = 9, .kind = kind::Group, .at = {7, 62, 155, 42}, .text = "Delivery"},
                {.number = 10,
                 .kind = kind::Check,
                 .at = {14, 74, 0, 0},
                 .text = "&Express",
                 .parent = 9,
                 .variable = Variable::of(order.express)},
                {.number = 11,
                 .kind = kind::Check,
                 .at = {14, 87, 0, 0},
                 .text = "&Gift wrapped",
                 .parent = 9,
                 .variable = Variable::of(order.gift)},
                {.number = 12,
                 .kind = kind::Option,
                 .at = {170, 24, 100, 50},
                 .text = "&Payment",
                 .variable = Variable::of(order.payment)},
                {.number = 13, .kind = kind::Radio, .at = {177, 36, 0, 0}, .text = "Card", .parent = 12},
                {.number = 14, .kind = kind::Radio, .at = {177, 48, 0, 0}, .text = "Invoice", .parent = 12},
                {.number = 15, .kind = kind::Radio, .at = {177, 60, 0, 0}, .text = "Cash", .parent = 12},
                {.number = 16, .kind = kind::Prompt, .at = {170, 82, 0, 0}, .text = "Colo&ur:"},
                {.number = 17,
                 .kind = kind::Combo,
                 .at = {205, 80, 65, 60},
                 .variable = Variable::of(order.colour),
                 .from = "Red|Green|Blue|Black"},
                {.number = 18, .kind = kind::Prompt, .at = {170, 97, 0, 0}, .text = "C&opies:"},
                {.number = 19,
                 .kind = kind::Spin,
                 .at = {205, 95, 35, 12},
                 .picture = "@n3",
                 .variable = Variable::of(order.copies),
                 .low = 1,
                 .high = 99},
                {.number = 20, .kind = kind::Prompt, .at = {278, 24, 0, 0}, .text = "&Sizes:"},
                {.number = 21,
                 .kind = kind::List,
                 .at = {278, 34, 115, 70},
                 .from = "Small|Medium|Large|Extra large|Custom"},
                {.number = 22, .kind = kind::Prompt, .at = {7, 110, 0, 0}, .text = "No&tes:"},
                {.number = 23,
                 .kind = kind::Text,
                 .at = {7, 120, 155, 40},
                 .variable = Variable::of(order.notes)},
                {.number = 24,
                 .kind = kind::Panel,
                 .at = {170, 112, 100, 48},
                 .colour = 0xECFFFE,
                 .flags = attr::Border},
                {.number = 25,
                 .kind = kind::String,
                 .at = {176, 117, 0, 0},
                 .text = "A panel holds other\r\ncontrols.",
                 .parent = 24},
                {.number = id::LinkText,
                 .kind = kind::String,
                 .at = {176, 140, 0, 0},
                 .text = "www.example.org",
                 .parent = 24,
                 .font = {"", 0, 0xCC6600, fontstyle::Normal | fontstyle::Underline}},
                {.number = id::Link,
                 .kind = kind::Region,
                 .at = {176, 140, 58, 9},
                 .parent = 24,
                 .cursor = "~hand.cur",
                 .tooltip = "A region: an invisible area\r\nthat can be clicked"},
                {.number = 29, .kind = kind::Box, .at = {278, 112, 115, 48}},
                {.number = 30,
                 .kind = kind::Image,
                 .at = {284, 117, 38, 38},
                 .text = "pictures\\picture.jpg",
                 .tooltip = "A picture from a .jpg file"},
                {.number = 31,
                 .kind = kind::Image,
                 .at = {330, 117, 21, 21},
                 .text = "pictures\\gallery.ico",
                 .tooltip = "An icon from an .ico file"},
                {.number = 32, .kind = kind::String, .at = {330, 142, 60, 0}, .text = "Pictures"},
                {.number = 39, .kind = kind::Prompt, .at = {7, 170, 0, 0}, .text = "Packing:"},
                {.number = id::Progress,
                 .kind = kind::Progress,
                 .at = {52, 169, 210, 10},
                 .variable = Variable::of(order.progress)},
                {.number = 41, .kind = kind::Line, .at = {7, 188, 386, 0}},
                {.number = 42,
                 .kind = kind::Button,
                 .at = {7, 198, 20, 20},
                 .icon = systemResourceName(32516),
                 .tooltip = "About this window"},
                {.number = id::Font, .kind = kind::Button, .at = {32, 202, 50, 14}, .text = "&Font..."},
                {.number = id::Ok,
                 .kind = kind::Button,
                 .at = {289, 202, 50, 14},
                 .text = "OK",
                 .flags = attr::Default},
                {.number = 52,
                 .kind = kind::Button,
                 .at = {343, 202, 50, 14},
                 .text = "Cancel",
                 .flags = attr::StandardClose},
            }};
}

void chooseFont(Window& window) {
    FontSpec font{window.get(1, Prop::FontName).text(), window.get(1, Prop::FontSize).number32(),
                  window.get(1, Prop::FontColour).number32(), window.get(1, Prop::FontStyle).number32()};
    if (interaction().chooseFont("Heading Font", font)) {
        window.set(1, Prop::FontName, font.typeface);
        window.set(1, Prop::FontSize, font.size);
        window.set(1, Prop::FontColour, font.colour);
        window.set(1, Prop::FontStyle, font.style);
    }
}

} // namespace

void runControls(int32_t frame) {
    Order order;
    order.price.set(4995);
    Window window(definition(order));
    while (window.accept()) {
        switch (window.event()) {
        case event::Accepted:
            if (window.eventControl() == id::Ok) {
                window.select(0);
            } else if (window.eventControl() == id::Font) {
                chooseFont(window);
            } else if (window.eventControl() == id::Link) {
                runtime::message("The region was clicked.", "Controls", Icon::Information);
            } else if (window.eventControl() == 42) {
                runtime::message(
                    "A window with every kind of control.|Each child window runs on a thread of its own.",
                    "Controls", Icon::Information);
            }
            break;
        case event::Rejected:
            runtime::message("That is not a quantity from 1 to 999.", "Controls", Icon::Exclamation);
            break;
        case event::Completed:
            window.close();
            break;
        default:
            break;
        }
    }
    post(note::Closed, currentThread(), frame);
}

} // namespace gallery
