// Rules that both INI implementations share, for the INI sources only.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace runtime::ini {

// Without the blanks and tabs around it.
std::string_view trimmed(std::string_view s);
// Section and entry names: equal ignoring case and the blanks around them.
bool sameName(std::string_view a, std::string_view b);

// True when the name has no folder in it (no "\", "/" or drive colon).
bool isPlainName(std::string_view file);
// True when a section and entry of these names can be written and read back.
bool usableNames(std::string_view section, std::string_view entry);
bool usableValue(std::string_view value);
// The default as reading returns it: without trailing blanks.
std::string defaultResult(std::string_view defaultValue);

// The folder set by ScopedWindowsFolder, if any.
std::optional<std::string> windowsFolderOverride();

} // namespace runtime::ini
