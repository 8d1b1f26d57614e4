#include "runtime/ui/resources.h"

#include <windows.h>

#include <optional>

#include "runtime/text/strings.h"
#include "runtime/ui/pictures.h"

namespace runtime::ui {
namespace {

std::optional<int> systemId(std::string_view name) {
    if (name.size() == 4 && static_cast<unsigned char>(name[0]) == 0xFF && name[1] == 0x01) {
        return static_cast<unsigned char>(name[2]) | (static_cast<unsigned char>(name[3]) << 8);
    }
    return std::nullopt;
}

bool fileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string programFolder() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

} // namespace

std::string findFile(std::string_view name) {
    std::string plain(name);
    if (fileExists(plain)) {
        return plain;
    }
    bool relative =
        plain.find(':') == std::string::npos && !plain.starts_with('\\') && !plain.starts_with('/');
    if (relative) {
        std::string beside = programFolder() + plain;
        if (fileExists(beside)) {
            return beside;
        }
    }
    return {};
}

namespace {

struct Parsed {
    std::string name;
    bool linked = false;
};

Parsed parse(std::string_view name) {
    std::string_view trimmed = text::trim(name);
    Parsed parsed;
    parsed.linked = trimmed.starts_with('~');
    parsed.name = std::string(parsed.linked ? trimmed.substr(1) : trimmed);
    return parsed;
}

HANDLE loadFromResource(const std::string& name, UINT type, int size) {
    return LoadImageA(GetModuleHandleA(nullptr), name.c_str(), type, size, size, LR_SHARED);
}

bool isHandCursorName(const std::string& name) {
    std::string lowered = text::lower(name);
    return lowered.starts_with("hand") && lowered.ends_with(".cur");
}

} // namespace

std::string systemResourceName(int id) {
    std::string name("\xFF\x01", 2);
    name.push_back(static_cast<char>(id & 0xFF));
    name.push_back(static_cast<char>((id >> 8) & 0xFF));
    return name;
}

IconRef loadIcon(std::string_view name, int size) {
    if (std::optional<int> id = systemId(name)) {
        return IconRef::shared(LoadIconA(nullptr, MAKEINTRESOURCEA(*id)));
    }
    Parsed parsed = parse(name);
    if (parsed.name.empty()) {
        return {};
    }
    if (parsed.linked) {
        if (HANDLE icon = loadFromResource(parsed.name, IMAGE_ICON, size)) {
            return IconRef::shared(static_cast<HICON>(icon));
        }
    }
    std::string file = findFile(parsed.name);
    if (!file.empty()) {
        if (HANDLE icon = LoadImageA(nullptr, file.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE)) {
            return IconRef::owned(static_cast<HICON>(icon));
        }
    }
    if (HANDLE icon = loadFromResource(parsed.name, IMAGE_ICON, size)) {
        return IconRef::shared(static_cast<HICON>(icon));
    }
    return {};
}

CursorRef loadCursor(std::string_view name) {
    if (std::optional<int> id = systemId(name)) {
        return CursorRef::shared(LoadCursorA(nullptr, MAKEINTRESOURCEA(*id)));
    }
    Parsed parsed = parse(name);
    if (parsed.name.empty()) {
        return {};
    }
    if (parsed.linked) {
        if (HANDLE cursor = loadFromResource(parsed.name, IMAGE_CURSOR, 0)) {
            return CursorRef::shared(static_cast<HCURSOR>(cursor));
        }
    }
    std::string file = findFile(parsed.name);
    if (!file.empty()) {
        if (HANDLE cursor = LoadImageA(nullptr, file.c_str(), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE)) {
            return CursorRef::owned(static_cast<HCURSOR>(cursor));
        }
    }
    if (HANDLE cursor = loadFromResource(parsed.name, IMAGE_CURSOR, 0)) {
        return CursorRef::shared(static_cast<HCURSOR>(cursor));
    }
    if (isHandCursorName(parsed.name)) {
        return CursorRef::shared(LoadCursorA(nullptr, IDC_HAND));
    }
    return {};
}

Bitmap loadBitmap(std::string_view name) {
    Parsed parsed = parse(name);
    if (parsed.name.empty()) {
        return {};
    }
    std::string file = findFile(parsed.name);
    if (!file.empty()) {
        if (HANDLE bitmap = LoadImageA(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)) {
            return Bitmap(static_cast<HBITMAP>(bitmap));
        }
    }
    if (HANDLE bitmap = LoadImageA(GetModuleHandleA(nullptr), parsed.name.c_str(), IMAGE_BITMAP, 0, 0, 0)) {
        return Bitmap(static_cast<HBITMAP>(bitmap));
    }
    // Other formats (jpg, gif, ico) through the picture loader.
    return loadPicture(name).toBitmap(GetSysColor(COLOR_3DFACE));
}

} // namespace runtime::ui
