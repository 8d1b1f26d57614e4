// The text of one INI file, line by line, as our own INI implementation reads
// and changes it (rules in ini.h). Lines that are not touched are written back
// exactly as they were read.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace runtime::ini {

class IniDocument {
public:
    explicit IniDocument(std::string_view text);

    // The entry's value, or nothing when the section or entry is missing.
    std::optional<std::string> find(std::string_view section, std::string_view entry) const;
    // Sets the entry, adding it (and its section) when missing. Names and value
    // must be usable (ini_rules.h).
    void set(std::string_view section, std::string_view entry, std::string_view value);

    // The whole file, every line ended with the file's own line end (CR LF for
    // a file that had none).
    std::string text() const;

private:
    // The index of the first line of the section's header; nothing if missing.
    std::optional<size_t> sectionHeader(std::string_view section) const;

    std::vector<std::string> lines_;
    std::string lineEnd_ = "\r\n";
};

} // namespace runtime::ini
