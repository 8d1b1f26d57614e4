// What the tip's text box knows about its font, "MS Sans Serif" 8 point at
// 96 dpi (height -11), and about where a line may break. Measured in a real
// multi-line text box; the layout tests compare against one.
#pragma once

#include <cstdint>

namespace help {

namespace text_box {
// Text boxes narrower than this (the font's average character width) or
// exactly as wide do not wrap at all.
inline constexpr int32_t AverageCharWidth = 5;
// Default tab stops: every eight average character widths (32 dialog units).
inline constexpr int32_t TabStop = 48;
} // namespace text_box

// The advance of character `c` in the font as the font itself reports it.
int32_t glyphWidth(unsigned char c);

// The advance of character `c` in the text box, in pixels. Control
// characters, the undefined codes of the Windows Latin 1 code page and the
// soft hyphen are invisible there (0); a carriage return that does not end a
// line is invisible too.
int32_t advanceWidth(unsigned char c);

// True for characters after which the text box lays out a run of blanks with
// no width: control and format characters (but not tab, line feed and form
// feed).
bool hidesFollowingBlanks(unsigned char c);

// How a character takes part in finding line breaks. Currency and percent
// signs behave alike in the text box, so they share one class.
enum class BreakClass : uint8_t {
    Alphabetic,  // letters, most symbols
    Numeric,     // digits
    Space,       // the blank
    After,       // break after: "|", tab, en dash, soft hyphen
    Hyphen,      // "-"
    InfixSep,    // , . : ;
    Slash,       // /
    Open,        // ( [ { and opening quotes of some languages
    Close,       // }
    CloseParen,  // ) ]
    Quote,       // " ' and the typographic quotes
    Exclamation, // ! ?
    Affix,       // $ % + \ and currency, degree, per mille signs
    Glue,        // no-break space
    Before,      // break before: acute accent
    Ellipsis,    // ...
    Dash,        // em dash
    Combining,   // control characters
    Mandatory,   // vertical tab, form feed
    Return,      // carriage return
    LineFeed,
};

BreakClass breakClass(unsigned char c);

} // namespace help
