#include "runtime/sys/ini_rules.h"

#include <mutex>

#include "runtime/sys/ini.h"
#include "runtime/text/strings.h"

namespace runtime::ini {
namespace {

bool hasBreak(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

struct FolderOverride {
    std::mutex mutex;
    std::optional<std::string> folder;
};

FolderOverride& folderOverride() {
    static FolderOverride instance;
    return instance;
}

} // namespace

std::string_view trimmed(std::string_view s) {
    size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

bool sameName(std::string_view a, std::string_view b) {
    return text::equalNoCase(trimmed(a), trimmed(b));
}

bool isPlainName(std::string_view file) {
    return file.find_first_of("\\/:") == std::string_view::npos;
}

bool usableNames(std::string_view section, std::string_view entry) {
    std::string_view s = trimmed(section);
    std::string_view e = trimmed(entry);
    return !s.empty() && !e.empty() && !hasBreak(section) && !hasBreak(entry) &&
           section.find(']') == std::string_view::npos && entry.find('=') == std::string_view::npos &&
           e.front() != ';' && e.front() != '[';
}

bool usableValue(std::string_view value) {
    return !hasBreak(value);
}

std::string defaultResult(std::string_view defaultValue) {
    size_t end = defaultValue.find_last_not_of(' ');
    return std::string(defaultValue.substr(0, end == std::string_view::npos ? 0 : end + 1));
}

std::optional<std::string> windowsFolderOverride() {
    std::lock_guard lock(folderOverride().mutex);
    return folderOverride().folder;
}

} // namespace runtime::ini

namespace runtime {

ScopedWindowsFolder::ScopedWindowsFolder(std::string folder) {
    std::lock_guard lock(ini::folderOverride().mutex);
    previous_ = std::move(ini::folderOverride().folder);
    ini::folderOverride().folder = std::move(folder);
}

ScopedWindowsFolder::~ScopedWindowsFolder() {
    std::lock_guard lock(ini::folderOverride().mutex);
    ini::folderOverride().folder = std::move(previous_);
}

} // namespace runtime
