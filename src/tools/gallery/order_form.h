// The order form: a window holding every kind of control the runtime offers
// (labels, entries typed through their pictures, texts, buttons, checks,
// options, groups, panels, shapes, a region, a list, a combo, a spin, a
// progress bar and pictures). The gallery shows it as a child of its frame;
// the runtime's tests open it on its own to look at.
#pragma once

#include <cstdint>

#include "runtime/text/fields.h"
#include "runtime/text/packed_decimal.h"
#include "runtime/ui/definition.h"
#include "runtime/ui/window.h"

namespace gallery {

struct Order {
    Order() { price.set(4995); }
    runtime::text::Fixed<30> name{"Ada Lovelace"};
    runtime::text::Long quantity{12};
    runtime::text::Decimal<9, 2> price;
    uint8_t express = 1;
    uint8_t gift = 0;
    runtime::text::Fixed<20> payment{"Card"};
    runtime::text::Fixed<20> colour{"Green"};
    runtime::text::Long copies{3};
    int32_t progress = 65;
    runtime::text::Fixed<200> notes{"Leave the parcel with the neighbour if nobody is at home. Call ahead."};
};

namespace orderform {
inline constexpr int32_t Heading = 1;
inline constexpr int32_t Quantity = 6;
inline constexpr int32_t Price = 8;
inline constexpr int32_t LinkText = 27;
inline constexpr int32_t Link = 28;
inline constexpr int32_t Progress = 40;
inline constexpr int32_t About = 42;
inline constexpr int32_t Ok = 50;
inline constexpr int32_t Font = 51;
} // namespace orderform

// A window of its own in the middle of the screen, its controls bound to `order`.
runtime::ui::WindowDefinition orderForm(Order& order);

// Answers an event of the form's window: OK completes it, "Font..." chooses
// the heading's font, the link, the About button and a rejected quantity each
// say so in a message box, and the completed window closes.
void answerOrderForm(runtime::ui::Window& window);

} // namespace gallery
