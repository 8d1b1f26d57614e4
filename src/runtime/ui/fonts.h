// Fonts of windows and controls, and the dialog units measured from them.
//
// A font is described by runtime::FontSpec: typeface, size in points, colour
// (0x00BBGGRR) and style. The style is the weight (100 to 900; 400 normal, 700
// bold) plus 0x1000 italic, 0x2000 underline and 0x4000 strikeout. A control's
// font leaves a part unset with an empty typeface, size 0, colour DefaultColour
// or style 0; that part is then the window's.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/sys/interaction.h"
#include "runtime/ui/handles.h"

namespace runtime::ui {

// "No colour of its own": the control or window uses the system's colour.
inline constexpr int32_t DefaultColour = -1;

namespace fontstyle {
inline constexpr int32_t WeightMask = 0x0FFF;
inline constexpr int32_t Normal = 400;
inline constexpr int32_t Bold = 700;
inline constexpr int32_t Italic = 0x1000;
inline constexpr int32_t Underline = 0x2000;
inline constexpr int32_t Strikeout = 0x4000;
} // namespace fontstyle

// The font a window uses when its definition names none.
FontSpec defaultWindowFont();

// `own` with every unset part taken from `inherited`.
FontSpec mergeFont(const FontSpec& own, const FontSpec& inherited);

bool sameFace(const FontSpec& a, const FontSpec& b); // typeface, size and style

Font createFont(const FontSpec& spec);

// Average character width and height of a font: dialog units are a quarter of
// the width horizontally and an eighth of the height vertically.
struct BaseUnits {
    int x = 6;
    int y = 13;
};
BaseUnits baseUnitsOf(HFONT font);

int dialogToPixelsX(int value, BaseUnits units);
int dialogToPixelsY(int value, BaseUnits units);
int pixelsToDialogX(int value, BaseUnits units);
int pixelsToDialogY(int value, BaseUnits units);

// The size of a text in a font, in pixels; lines are separated by CR LF or LF.
SIZE measureText(HFONT font, const char* text, size_t length);

} // namespace runtime::ui
