// The columns of a list box: where each column's value is in a row of the
// list's queue (row_queue.h), how it is shown (display picture, alignment,
// width, header) and drawn (colour, or a numbered list style that several
// columns share). Widths are in dialog units of the window's font.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "runtime/files/field.h"

namespace runtime::ui {

enum class Align : int32_t { Left = 0, Centre = 1, Right = 2 };

struct ListColumn {
    std::string header{};
    int32_t width = 0; // 0: as wide as the header or the picture needs
    Align align = Align::Left;
    std::optional<Align> headerAlign{}; // unset: as the cells
    std::string picture{};              // "@n-13", "@s30"; empty: the plain value
    files::Field field{};               // the value's place in a row of the queue
    int32_t style = 0;                  // a list style number (1 to MaxListStyle), 0 for none
    int32_t colour = -1;                // text colour (0x00BBGGRR), -1 for the style's or the system's
};

// A list style: the look of the columns given its number. Unset parts
// (style 0, colours -1) are the list's own.
struct ListStyle {
    int32_t fontStyle = 0; // weight plus italic / underline / strikeout bits (fonts.h)
    int32_t fontColour = -1;
    int32_t colour = -1; // cell background
};

inline constexpr int32_t MaxListStyle = 255;

} // namespace runtime::ui
