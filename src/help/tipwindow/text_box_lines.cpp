#include "help/tipwindow/text_box_lines.h"

#include "help/markup/text_box_layout.h"
#include "runtime/ui/property.h"
#include "runtime/ui/window.h"

namespace help {

// The box lays its text out as it is given it; what may still be pending
// are the messages that came with it. Waiting on the clock as well would
// hold every tip back by a twentieth of a second.
void TextBoxLines::settle() {
    runtime::ui::yield();
}

int32_t TextBoxLines::lineCount() {
    return window_.get(control_, runtime::ui::Prop::LineCount).number32();
}

std::string TextBoxLines::line(int32_t n) {
    return window_.get(control_, runtime::ui::Prop::Line, n).text();
}

int32_t textBoxWidthFor(int32_t wrapWidth) {
    return wrapWidth + (wrapWidth - formattingWidth(wrapWidth, TextBoxBorder::Sunken, true));
}

} // namespace help
