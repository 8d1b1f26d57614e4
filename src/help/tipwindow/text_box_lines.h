// The markup parser's view of the tip window's text box: its lines as the
// box itself wraps them.
#pragma once

#include <cstdint>
#include <string>

#include "help/markup/line_source.h"
#include "runtime/ui/window.h"

namespace help {

class TextBoxLines : public LineSource {
public:
    TextBoxLines(runtime::ui::Window& window, int32_t control) : window_(window), control_(control) {}

    void settle() override;
    int32_t lineCount() override;
    std::string line(int32_t n) override;

private:
    runtime::ui::Window& window_;
    int32_t control_;
};

// The width to give a text box of the runtime (sunken edge, vertical scroll
// bar) so that it wraps its lines at `wrapWidth` pixels.
int32_t textBoxWidthFor(int32_t wrapWidth);

} // namespace help
