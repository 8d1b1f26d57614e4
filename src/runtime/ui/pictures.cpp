#include "runtime/ui/pictures.h"

#include <windows.h>

#include <objbase.h>
#include <ocidl.h>
#include <olectl.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "runtime/text/strings.h"
#include "runtime/ui/resources.h"

namespace runtime::ui {
namespace {

// Largest picture file read; anything bigger is not a picture for a window.
constexpr std::streamsize MaxPictureBytes = 64 * 1024 * 1024;

template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (pointer_ != nullptr) {
            pointer_->Release();
        }
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    Interface** out() { return &pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

private:
    Interface* pointer_ = nullptr;
};

// COM for the calling thread while a picture is decoded, unless it has it already.
class ComScope {
public:
    ComScope() : started_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() {
        if (started_) {
            CoUninitialize();
        }
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool started_;
};

SIZE bitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    return {info.bmWidth, std::abs(info.bmHeight)};
}

SIZE iconSize(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) {
        return {0, 0};
    }
    Bitmap mask(info.hbmMask);
    Bitmap colour(info.hbmColor);
    SIZE size = bitmapSize(info.hbmMask);
    if (!colour) {
        size.cy /= 2; // a monochrome icon keeps its mask and image in one bitmap
    }
    return size;
}

// Any format the system's picture decoder reads: bmp, jpg, gif, ico.
Picture decode(const std::vector<char>& bytes) {
    if (bytes.empty()) {
        return {};
    }
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (memory == nullptr) {
        return {};
    }
    if (void* target = GlobalLock(memory)) {
        std::copy(bytes.begin(), bytes.end(), static_cast<char*>(target));
        GlobalUnlock(memory);
    }
    ComScope com;
    ComRef<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, stream.out()))) {
        GlobalFree(memory);
        return {};
    }
    ComRef<IPicture> picture;
    if (FAILED(OleLoadPicture(stream.operator->(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(picture.out())))) {
        return {};
    }
    SHORT type = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
    picture->get_Type(&type);
    picture->get_Handle(&handle);
    // The decoder owns its handle and frees it with itself: keep a copy.
    auto shared = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(handle));
    if (type == PICTYPE_BITMAP) {
        Bitmap copy(static_cast<HBITMAP>(CopyImage(shared, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        SIZE size = copy ? bitmapSize(copy.get()) : SIZE{0, 0};
        return copy ? Picture(std::move(copy), size) : Picture();
    }
    if (type == PICTYPE_ICON) {
        OwnedIcon copy(CopyIcon(static_cast<HICON>(shared)));
        SIZE size = copy ? iconSize(copy.get()) : SIZE{0, 0};
        return copy ? Picture(std::move(copy), size) : Picture();
    }
    return {};
}

std::optional<std::vector<char>> readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    file.seekg(0, std::ios::end);
    std::streamsize length = file.tellg();
    if (length <= 0 || length > MaxPictureBytes) {
        return std::nullopt;
    }
    file.seekg(0, std::ios::beg);
    std::vector<char> bytes(static_cast<size_t>(length));
    if (!file.read(bytes.data(), length)) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<std::vector<char>> readResource(const std::string& name) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(10)); // RT_RCDATA
    if (found == nullptr) {
        return std::nullopt;
    }
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    DWORD size = SizeofResource(module, found);
    if (data == nullptr || size == 0) {
        return std::nullopt;
    }
    const auto* first = static_cast<const char*>(data);
    return std::vector<char>(first, first + size);
}

bool hasExtension(const std::string& name, const char* extension) {
    return text::lower(name).ends_with(extension);
}

Picture fromFile(const std::string& path) {
    // Icons through the icon loader, which picks the size the file offers best.
    if (hasExtension(path, ".ico")) {
        if (HANDLE icon =
                LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE)) {
            OwnedIcon owned(static_cast<HICON>(icon));
            SIZE size = iconSize(owned.get());
            return Picture(std::move(owned), size);
        }
    }
    if (hasExtension(path, ".bmp")) {
        if (HANDLE bitmap = LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                       LR_LOADFROMFILE | LR_CREATEDIBSECTION)) {
            Bitmap owned(static_cast<HBITMAP>(bitmap));
            SIZE size = bitmapSize(owned.get());
            return Picture(std::move(owned), size);
        }
    }
    std::optional<std::vector<char>> bytes = readFile(path);
    return bytes ? decode(*bytes) : Picture();
}

} // namespace

void Picture::draw(HDC dc, const RECT& target) const {
    int width = target.right - target.left;
    int height = target.bottom - target.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    if (icon_) {
        DrawIconEx(dc, target.left, target.top, icon_.get(), width, height, 0, nullptr, DI_NORMAL);
        return;
    }
    if (!bitmap_) {
        return;
    }
    MemoryDc source(dc);
    Selected from(source.get(), bitmap_.get());
    if (width == size_.cx && height == size_.cy) {
        BitBlt(dc, target.left, target.top, width, height, source.get(), 0, 0, SRCCOPY);
        return;
    }
    POINT origin{};
    GetBrushOrgEx(dc, &origin);
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, origin.x, origin.y, nullptr); // HALFTONE moves it
    StretchBlt(dc, target.left, target.top, width, height, source.get(), 0, 0, size_.cx, size_.cy, SRCCOPY);
}

Bitmap Picture::toBitmap(COLORREF background) const {
    if (!*this || size_.cx <= 0 || size_.cy <= 0) {
        return {};
    }
    WindowDc screen(nullptr);
    Bitmap copy(CreateCompatibleBitmap(screen.get(), size_.cx, size_.cy));
    MemoryDc target(screen.get());
    {
        Selected into(target.get(), copy.get());
        RECT all{0, 0, size_.cx, size_.cy};
        Brush fill(CreateSolidBrush(background));
        FillRect(target.get(), &all, fill.get());
        draw(target.get(), all);
    }
    return copy;
}

Picture loadPicture(std::string_view name) {
    std::string_view trimmed = text::trim(name);
    bool linked = trimmed.starts_with('~');
    std::string plain(linked ? trimmed.substr(1) : trimmed);
    if (plain.empty()) {
        return {};
    }
    if (linked) {
        if (std::optional<std::vector<char>> bytes = readResource(plain)) {
            if (Picture picture = decode(*bytes)) {
                return picture;
            }
        }
    }
    std::string file = findFile(plain);
    if (!file.empty()) {
        if (Picture picture = fromFile(file)) {
            return picture;
        }
    }
    if (!linked) {
        if (std::optional<std::vector<char>> bytes = readResource(plain)) {
            return decode(*bytes);
        }
    }
    return {};
}

} // namespace runtime::ui
