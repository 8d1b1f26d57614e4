#include "runtime/ui/screenshot.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "runtime/sys/command_line.h"

namespace runtime::ui {
namespace {

struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() { ReleaseDC(nullptr, dc); }
};

struct MemoryDc {
    HDC dc;
    explicit MemoryDc(HDC compatible) : dc(CreateCompatibleDC(compatible)) {}
    ~MemoryDc() { DeleteDC(dc); }
};

struct Bitmap {
    HBITMAP handle;
    Bitmap(HDC dc, int w, int h) : handle(CreateCompatibleBitmap(dc, w, h)) {}
    ~Bitmap() { DeleteObject(handle); }
};

struct Selection {
    HDC dc;
    HGDIOBJ previous;
    Selection(HDC d, HGDIOBJ object) : dc(d), previous(SelectObject(d, object)) {}
    ~Selection() { SelectObject(dc, previous); }
};

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

void pumpFor(DWORD milliseconds) {
    DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < milliseconds) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

} // namespace

bool saveScreenshot(const std::string& path) {
    int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (width <= 0 || height <= 0) {
        return false;
    }
    ScreenDc screen;
    MemoryDc memory(screen.dc);
    Bitmap bitmap(screen.dc, width, height);
    {
        Selection selected(memory.dc, bitmap.handle);
        BitBlt(memory.dc, 0, 0, width, height, screen.dc, GetSystemMetrics(SM_XVIRTUALSCREEN),
               GetSystemMetrics(SM_YVIRTUALSCREEN), SRCCOPY);
    }

    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height; // bottom-up, as BMP files store rows
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    std::vector<unsigned char> pixels(static_cast<size_t>(stride) * static_cast<size_t>(height));
    if (GetDIBits(memory.dc, bitmap.handle, 0, static_cast<UINT>(height), pixels.data(),
                  reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) == 0) {
        return false;
    }

    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42; // "BM"
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + static_cast<DWORD>(pixels.size());
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        return false;
    }
    return std::fwrite(&header, sizeof header, 1, file.get()) == 1 &&
           std::fwrite(&info, sizeof info, 1, file.get()) == 1 &&
           std::fwrite(pixels.data(), 1, pixels.size(), file.get()) == pixels.size();
}

std::string tourFolder() {
    std::vector<std::string> arguments = runtime::commandLineArguments();
    for (size_t i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == "--tour") {
            return arguments[i + 1];
        }
    }
    return {};
}

void tourShot(const std::string& name) {
    std::string folder = tourFolder();
    if (folder.empty()) {
        return;
    }
    pumpFor(400);
    CreateDirectoryA(folder.c_str(), nullptr);
    saveScreenshot(folder + "\\" + name + ".bmp");
}

} // namespace runtime::ui
