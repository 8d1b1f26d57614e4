#include "runtime/sys/ini_document.h"

#include "runtime/sys/ini_rules.h"

namespace runtime::ini {
namespace {

// The name of a "[name]" line; nothing for any other line.
std::optional<std::string_view> sectionName(std::string_view line) {
    line = trimmed(line);
    size_t close = line.rfind(']');
    if (line.empty() || line.front() != '[' || close == std::string_view::npos) {
        return std::nullopt;
    }
    return trimmed(line.substr(1, close - 1));
}

struct Entry {
    std::string_view name;
    std::string_view value;
};

// The name and value of a "name=value" line; nothing for comments, section
// headers and lines without "=".
std::optional<Entry> entryOf(std::string_view line) {
    std::string_view content = trimmed(line);
    size_t equals = content.find('=');
    if (content.empty() || content.front() == ';' || sectionName(content) ||
        equals == std::string_view::npos) {
        return std::nullopt;
    }
    return Entry{trimmed(content.substr(0, equals)), trimmed(content.substr(equals + 1))};
}

std::string unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

bool isBlankLine(std::string_view line) {
    return trimmed(line).empty();
}

} // namespace

IniDocument::IniDocument(std::string_view text) {
    if (text.find('\n') != std::string_view::npos && text.find("\r\n") == std::string_view::npos) {
        lineEnd_ = "\n";
    }
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        std::string_view line = text.substr(start, end == std::string_view::npos ? end : end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines_.emplace_back(line);
        start = end == std::string_view::npos ? text.size() : end + 1;
    }
}

std::optional<size_t> IniDocument::sectionHeader(std::string_view section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        auto name = sectionName(lines_[i]);
        if (name && sameName(*name, section)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::string> IniDocument::find(std::string_view section, std::string_view entry) const {
    auto header = sectionHeader(section);
    if (!header) {
        return std::nullopt;
    }
    for (size_t i = *header + 1; i < lines_.size() && !sectionName(lines_[i]); ++i) {
        auto found = entryOf(lines_[i]);
        if (found && sameName(found->name, entry)) {
            return unquoted(found->value);
        }
    }
    return std::nullopt;
}

void IniDocument::set(std::string_view section, std::string_view entry, std::string_view value) {
    auto header = sectionHeader(section);
    if (!header) {
        if (!lines_.empty() && !isBlankLine(lines_.back())) {
            lines_.emplace_back();
        }
        lines_.push_back("[" + std::string(trimmed(section)) + "]");
        lines_.push_back(std::string(trimmed(entry)) + "=" + std::string(value));
        return;
    }
    size_t lastContent = *header;
    for (size_t i = *header + 1; i < lines_.size() && !sectionName(lines_[i]); ++i) {
        auto found = entryOf(lines_[i]);
        if (found && sameName(found->name, entry)) {
            lines_[i] = std::string(found->name) + "=" + std::string(value);
            return;
        }
        if (!isBlankLine(lines_[i])) {
            lastContent = i;
        }
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(lastContent + 1),
                  std::string(trimmed(entry)) + "=" + std::string(value));
}

std::string IniDocument::text() const {
    std::string result;
    for (const std::string& line : lines_) {
        result.append(line).append(lineEnd_);
    }
    return result;
}

} // namespace runtime::ini
