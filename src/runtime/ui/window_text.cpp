#include "runtime/ui/window_text.h"

#include <algorithm>

namespace runtime::ui {

std::string windowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    // The text may have become shorter since its length was asked.
    int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(copied, 0)));
    return text;
}

} // namespace runtime::ui
