// How the tip's text box (multi-line, word wrap, no horizontal scrolling,
// "MS Sans Serif" 8 point) lays out a text at a given width, computed without
// a window so that tips can be parsed and checked where no text box exists.
// Exact for texts of printable characters with CR LF or LF line ends; tabs,
// lone carriage returns, the soft hyphen and other control characters are
// placed by simpler rules than the box's own (see the tests under Wine).
//
// The box's rules:
//   - the text ends at its first NUL; CR LF, LF alone and CR CR LF end a line
//     (none of them is part of any line); an empty text, and a text ending in
//     a line end, has an empty last line;
//   - a paragraph that fits the formatting width stays one line; otherwise a
//     break is searched right to left from an estimate of where the line ends
//     (the line's share of the paragraph, nudged right for long paragraphs),
//     at the break opportunities of line_breaks.h, and the first break whose
//     line fits is taken; blanks stay at the end of the line before the break;
//   - when no such break is found, the line is cut at characters, one
//     character before the last that fits (at least one character per line);
//     cutting the last character of a paragraph leaves an empty line after it;
//   - boxes no wider than the font's average character width do not wrap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "help/markup/line_source.h"

namespace help {

struct TextBoxLine {
    size_t start = 0;  // index of the line's first character in the text
    size_t length = 0; // without the line end
};

// The lines of `text` laid out in a box whose text may use `formattingWidth`
// pixels of each line.
std::vector<TextBoxLine> layOutText(std::string_view text, int32_t formattingWidth);

enum class TextBoxBorder {
    None,
    Line,   // WS_BORDER: the box draws it inside itself, 2 pixels each side
    Sunken, // WS_EX_CLIENTEDGE: 2 pixels each side, and the text 1 pixel further in
};

// The width left for text in a box `boxWidth` pixels wide; a vertical scroll
// bar takes 17 pixels.
int32_t formattingWidth(int32_t boxWidth, TextBoxBorder border, bool verticalScrollBar);

// A text box that exists only as its layout.
class EmulatedTextBox : public LineSource {
public:
    EmulatedTextBox(std::string text, int32_t formattingWidth);

    void settle() override {}
    int32_t lineCount() override;
    std::string line(int32_t n) override;

private:
    std::string text_;
    std::vector<TextBoxLine> lines_;
};

} // namespace help
