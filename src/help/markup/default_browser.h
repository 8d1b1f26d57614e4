// The default browser as the system registers it.
#pragma once

#include <optional>
#include <string>

namespace help {

// The default value of "htmlfile\shell\open\command" under HKEY_CLASSES_ROOT,
// read into 200 characters; nothing when it cannot be read (always so where
// there is no registry).
std::optional<std::string> registeredBrowserCommand();

} // namespace help
