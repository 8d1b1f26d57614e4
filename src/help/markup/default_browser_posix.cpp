#include "help/markup/default_browser.h"

namespace help {

std::optional<std::string> registeredBrowserCommand() {
    return std::nullopt;
}

} // namespace help
