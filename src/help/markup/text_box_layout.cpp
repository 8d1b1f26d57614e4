#include "help/markup/text_box_layout.h"

#include <algorithm>

#include "help/markup/line_breaks.h"
#include "help/markup/text_box_metrics.h"

namespace help {
namespace {

// Length of the line end starting at `at`, 0 when none does.
size_t lineEndAt(std::string_view text, size_t at) {
    std::string_view rest = text.substr(at);
    if (rest.starts_with("\r\r\n")) {
        return 3;
    }
    if (rest.starts_with("\r\n")) {
        return 2;
    }
    return rest.starts_with('\n') ? 1 : 0;
}

// Advances of the characters of one line, measured from the line's start.
std::vector<int64_t> advances(std::string_view line) {
    std::vector<int64_t> result;
    result.reserve(line.size());
    bool hideBlanks = false;
    int64_t x = 0;
    for (char ch : line) {
        auto c = static_cast<unsigned char>(ch);
        int64_t w = 0;
        if (c == ' ') {
            w = hideBlanks ? 0 : advanceWidth(c);
        } else {
            hideBlanks = hidesFollowingBlanks(c);
            w = c == '\t' ? text_box::TabStop - x % text_box::TabStop : advanceWidth(c);
        }
        x += w;
        result.push_back(w);
    }
    return result;
}

// The box's word-break search: from `index`, the nearest break opportunity
// strictly before it, or a position at or before the text's start.
int64_t breakLeftOf(const std::vector<bool>& allowed, int64_t index) {
    if (index > 0) {
        --index;
    }
    while (index > 0 && !allowed[static_cast<size_t>(index)]) {
        --index;
    }
    return index;
}

// The length of the line at `start` (an index into the whole text) when the
// rest of its paragraph, `total` pixels wide, does not fit `width`.
int64_t wrappedLength(const std::vector<bool>& allowed, const std::vector<int64_t>& advance, int64_t start,
                      int64_t total, int32_t width) {
    const auto length = static_cast<int64_t>(advance.size());
    std::vector<int64_t> prefix(advance.size() + 1, 0);
    for (size_t i = 0; i < advance.size(); ++i) {
        prefix[i + 1] = prefix[i] + advance[i];
    }
    float share = static_cast<float>(total) / static_cast<float>(width);
    if (share > 1.2f) {
        share -= 0.2f;
    }
    int64_t lineLength = length - 1;
    auto next = static_cast<int64_t>(static_cast<float>(lineLength) / share);
    if (next >= lineLength) {
        next = lineLength - 1;
    }
    // The width of the last line tried stays in force for the cut below,
    // which is how the box behaves.
    int64_t lineWidth = total;
    while (true) {
        lineLength = breakLeftOf(allowed, start + next) - start;
        if (lineLength <= 0) {
            lineLength = 0;
            break;
        }
        lineWidth = prefix[static_cast<size_t>(lineLength)];
        next = lineLength - 1;
        if (lineWidth <= width) {
            return lineLength;
        }
    }
    int64_t last = length - 1;
    do {
        lineWidth -= advance[static_cast<size_t>(last)];
        --last;
    } while (last > 0 && lineWidth > width);
    return last <= 0 ? 1 : last;
}

} // namespace

std::vector<TextBoxLine> layOutText(std::string_view text, int32_t formattingWidth) {
    text = text.substr(0, text.find('\0'));
    const std::vector<bool> allowed = breakOpportunities(text);
    const bool wraps = formattingWidth > text_box::AverageCharWidth;
    std::vector<TextBoxLine> lines;
    size_t paragraphStart = 0;
    while (true) {
        size_t end = paragraphStart;
        size_t endLength = 0;
        while (end < text.size() && (endLength = lineEndAt(text, end)) == 0) {
            ++end;
        }
        size_t start = paragraphStart;
        while (true) {
            std::string_view rest = text.substr(start, end - start);
            std::vector<int64_t> advance = advances(rest);
            int64_t total = 0;
            for (int64_t w : advance) {
                total += w;
            }
            if (!wraps || total <= formattingWidth) {
                lines.push_back({start, rest.size()});
                break;
            }
            auto length = static_cast<size_t>(
                wrappedLength(allowed, advance, static_cast<int64_t>(start), total, formattingWidth));
            lines.push_back({start, length});
            start += length;
            if (start >= end) {
                lines.push_back({start, 0});
                break;
            }
        }
        if (end >= text.size()) {
            return lines;
        }
        paragraphStart = end + endLength;
    }
}

int32_t formattingWidth(int32_t boxWidth, TextBoxBorder border, bool verticalScrollBar) {
    constexpr int32_t ScrollBarWidth = 17;
    int32_t width = boxWidth;
    if (border == TextBoxBorder::Line) {
        width -= 4;
    } else if (border == TextBoxBorder::Sunken) {
        width -= 6;
    }
    return verticalScrollBar ? width - ScrollBarWidth : width;
}

EmulatedTextBox::EmulatedTextBox(std::string text, int32_t formattingWidth)
    : text_(std::move(text)), lines_(layOutText(text_, formattingWidth)) {}

int32_t EmulatedTextBox::lineCount() {
    return static_cast<int32_t>(lines_.size());
}

std::string EmulatedTextBox::line(int32_t n) {
    if (n < 1 || n > lineCount()) {
        return {};
    }
    const TextBoxLine& line = lines_[static_cast<size_t>(n - 1)];
    return text_.substr(line.start, std::min(line.length, MaxLineText));
}

} // namespace help
