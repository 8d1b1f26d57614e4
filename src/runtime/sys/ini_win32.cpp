// INI files and the profile through the system's own profile functions, so a
// file is read and written exactly as every other Windows program sees it.
#include <windows.h>

#include <vector>

#include "runtime/sys/ini.h"
#include "runtime/sys/ini_rules.h"

namespace runtime {
namespace {

// The system's rule for names without a folder is kept; only a test's
// override of the Windows folder is applied here.
std::string pathFor(std::string_view file) {
    auto folder = ini::windowsFolderOverride();
    if (folder && ini::isPlainName(file)) {
        return *folder + "\\" + std::string(file);
    }
    return std::string(file);
}

// The profile functions cut a value to the buffer and say so only by filling
// it: grow until the value fits.
template <typename Read>
std::string readGrowing(Read read) {
    std::vector<char> buffer(256);
    while (true) {
        DWORD length = read(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length + 1 < buffer.size() || buffer.size() >= (1u << 20)) {
            return std::string(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 4);
    }
}

} // namespace

std::string windowsFolder() {
    if (auto folder = ini::windowsFolderOverride()) {
        return *folder;
    }
    char path[MAX_PATH + 1] = {};
    UINT length = GetWindowsDirectoryA(path, sizeof path);
    return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

std::string readIni(std::string_view file, std::string_view section, std::string_view entry,
                    std::string_view defaultValue) {
    if (!ini::usableNames(section, entry)) {
        return ini::defaultResult(defaultValue);
    }
    std::string path = pathFor(file);
    std::string s(section), e(entry), d(defaultValue);
    return readGrowing([&](char* buffer, DWORD size) {
        return GetPrivateProfileStringA(s.c_str(), e.c_str(), d.c_str(), buffer, size, path.c_str());
    });
}

bool writeIni(std::string_view file, std::string_view section, std::string_view entry,
              std::string_view value) {
    if (!ini::usableNames(section, entry) || !ini::usableValue(value)) {
        return false;
    }
    std::string path = pathFor(file);
    return WritePrivateProfileStringA(std::string(section).c_str(), std::string(entry).c_str(),
                                      std::string(value).c_str(), path.c_str()) != FALSE;
}

std::string readProfile(std::string_view section, std::string_view entry, std::string_view defaultValue) {
    if (ini::windowsFolderOverride()) {
        return readIni("win.ini", section, entry, defaultValue);
    }
    if (!ini::usableNames(section, entry)) {
        return ini::defaultResult(defaultValue);
    }
    std::string s(section), e(entry), d(defaultValue);
    return readGrowing([&](char* buffer, DWORD size) {
        return GetProfileStringA(s.c_str(), e.c_str(), d.c_str(), buffer, size);
    });
}

} // namespace runtime
