// Our own INI implementation, for systems without the Windows profile
// functions; it keeps their observable behaviour (ini.h).
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <sys/stat.h>

#include "runtime/sys/ini.h"
#include "runtime/sys/ini_document.h"
#include "runtime/sys/ini_rules.h"

namespace runtime {
namespace {

namespace fs = std::filesystem;

// Writers in this process take turns, so two threads changing different
// entries of one file both keep their change.
std::mutex& writeMutex() {
    static std::mutex mutex;
    return mutex;
}

bool sameFileName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && ini::sameName(a, b);
}

// Windows file names ignore case: an existing file is found whatever the case
// of the name asked for.
fs::path resolve(std::string_view file) {
    std::string name(file);
    for (char& c : name) {
        if (c == '\\') {
            c = '/';
        }
    }
    fs::path path = ini::isPlainName(file) ? fs::path(windowsFolder()) / name : fs::path(name);
    std::error_code error;
    if (fs::exists(path, error) || !path.has_filename()) {
        return path;
    }
    fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    std::string wanted = path.filename().string();
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (sameFileName(it->path().filename().string(), wanted)) {
            return path.parent_path() / it->path().filename();
        }
    }
    return path;
}

// The file's text; "" for a missing file; nothing when it exists but cannot be
// read (then it must not be replaced either).
std::optional<std::string> readText(const fs::path& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT ? std::optional<std::string>("") : std::nullopt;
    }
    std::string text;
    char buffer[8192];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    if (n < 0) {
        return std::nullopt;
    }
    return text;
}

// Writes a new copy beside the file and renames it over the file, so a reader
// or a crash sees either the old text or the new one, never a mixture.
bool replaceText(const fs::path& path, const std::string& text) {
    fs::path temporary = path;
    temporary += ".~" + std::to_string(::getpid());
    mode_t mode = 0666;
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        mode = existing.st_mode & 07777;
    }
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0) {
        return false;
    }
    size_t written = 0;
    while (written < text.size()) {
        ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n <= 0) {
            break;
        }
        written += static_cast<size_t>(n);
    }
    bool ok = written == text.size() && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace

std::string windowsFolder() {
    if (auto folder = ini::windowsFolderOverride()) {
        return *folder;
    }
    if (const char* windir = std::getenv("WINDIR"); windir != nullptr && *windir != '\0') {
        return windir;
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return std::string(home) + "/.rvdemo";
    }
    return ".";
}

std::string readIni(std::string_view file, std::string_view section, std::string_view entry,
                    std::string_view defaultValue) {
    if (!ini::usableNames(section, entry)) {
        return ini::defaultResult(defaultValue);
    }
    auto text = readText(resolve(file));
    if (!text) {
        return ini::defaultResult(defaultValue);
    }
    auto value = ini::IniDocument(*text).find(section, entry);
    return value ? *value : ini::defaultResult(defaultValue);
}

bool writeIni(std::string_view file, std::string_view section, std::string_view entry,
              std::string_view value) {
    if (!ini::usableNames(section, entry) || !ini::usableValue(value)) {
        return false;
    }
    std::lock_guard lock(writeMutex());
    if (ini::isPlainName(file)) {
        std::error_code error;
        fs::create_directories(windowsFolder(), error);
    }
    fs::path path = resolve(file);
    auto text = readText(path);
    if (!text) {
        return false;
    }
    ini::IniDocument document(*text);
    document.set(section, entry, value);
    return replaceText(path, document.text());
}

std::string readProfile(std::string_view section, std::string_view entry, std::string_view defaultValue) {
    return readIni("win.ini", section, entry, defaultValue);
}

} // namespace runtime
