#include <windows.h>

#include "help/markup/default_browser.h"

namespace help {

std::optional<std::string> registeredBrowserCommand() {
    char buffer[200] = {};
    LONG size = sizeof buffer;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, "htmlfile\\shell\\open\\command", buffer, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(buffer, strnlen(buffer, sizeof buffer));
}

} // namespace help
