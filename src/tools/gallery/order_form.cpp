#include "order_form.h"

#include "runtime/sys/events.h"
#include "runtime/sys/interaction.h"
#include "runtime/ui/fonts.h"
#include "runtime/ui/resources.h"

namespace gallery {

using namespace runtime;
using namespace runtime::ui;

WindowDefinition orderForm(Order& order) {
    return {
        .caption = "Controls",
        .font = {"Tahoma", 8, -1, 0},
        .icon = "pictures\\controls.ico",
        .at = {-1, -1, 400, 236},
        .flags = wattr::SystemMenu | wattr::MinimiseBox | wattr::MaximiseBox,
        .controls = {
            {.number = orderform::Heading,
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
            {.number = orderform::Quantity,
             .kind = kind::Entry,
             .at = {52, 43, 36, 12},
             .tooltip = "1 to 999; letters cannot be typed",
             .picture = "@n3",
             .variable = Variable::of(order.quantity),
             .flags = attr::Right},
            {.number = 7, .kind = kind::Prompt, .at = {96, 45, 0, 0}, .text = "Price:"},
            {.number = orderform::Price,
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
            {.number = orderform::LinkText,
             .kind = kind::String,
             .at = {176, 140, 0, 0},
             .text = "www.example.org",
             .parent = 24,
             .font = {"", 0, 0xCC6600, fontstyle::Normal | fontstyle::Underline}},
            {.number = orderform::Link,
             .kind = kind::Region,
             .at = {176, 140, 58, 9},
             .parent = 24,
             .cursor = "~hand.cur",
             .tooltip = "A region: an invisible area\r\nthat can be clicked",
             .flags = attr::TrackMouse},
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
            {.number = orderform::Progress,
             .kind = kind::Progress,
             .at = {52, 169, 210, 10},
             .variable = Variable::of(order.progress)},
            {.number = 41, .kind = kind::Line, .at = {7, 188, 386, 0}},
            {.number = orderform::About,
             .kind = kind::Button,
             .at = {7, 198, 20, 20},
             .icon = systemResourceName(32516),
             .tooltip = "About this window"},
            {.number = orderform::Font, .kind = kind::Button, .at = {32, 202, 50, 14}, .text = "&Font..."},
            {.number = orderform::Ok,
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

namespace {

void chooseHeadingFont(Window& window) {
    using orderform::Heading;
    FontSpec font{window.get(Heading, Prop::FontName).text(), window.get(Heading, Prop::FontSize).number32(),
                  window.get(Heading, Prop::FontColour).number32(),
                  window.get(Heading, Prop::FontStyle).number32()};
    if (interaction().chooseFont("Heading Font", font)) {
        window.set(Heading, Prop::FontName, font.typeface);
        window.set(Heading, Prop::FontSize, font.size);
        window.set(Heading, Prop::FontColour, font.colour);
        window.set(Heading, Prop::FontStyle, font.style);
    }
}

void accepted(Window& window) {
    switch (window.eventControl()) {
    case orderform::Ok:
        window.select(0);
        break;
    case orderform::Font:
        chooseHeadingFont(window);
        break;
    case orderform::Link:
        runtime::message("The region was clicked.", "Controls", Icon::Information);
        break;
    case orderform::About:
        runtime::message(
            "A window with every kind of control.|Each child window runs on a thread of its own.", "Controls",
            Icon::Information);
        break;
    default:
        break;
    }
}

} // namespace

void answerOrderForm(Window& window) {
    switch (window.event()) {
    case event::Accepted:
        accepted(window);
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

} // namespace gallery
