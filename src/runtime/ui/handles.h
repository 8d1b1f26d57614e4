// Owners for Win32 handles: each releases its handle the one way that kind of
// handle must be released, and none can be copied.
#pragma once

#include <windows.h>

#include <utility>

namespace runtime::ui {

template <typename Handle, typename Traits>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    ~Owned() { reset(); }
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            reset(std::exchange(other.handle_, Handle{}));
        }
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }
    void reset(Handle handle = Handle{}) {
        if (handle_ != Handle{}) {
            Traits::release(handle_);
        }
        handle_ = handle;
    }
    Handle release() { return std::exchange(handle_, Handle{}); }

private:
    Handle handle_{};
};

struct GdiTraits {
    static void release(HGDIOBJ object) { DeleteObject(object); }
};
struct IconTraits {
    static void release(HICON icon) { DestroyIcon(icon); }
};
struct CursorTraits {
    static void release(HCURSOR cursor) { DestroyCursor(cursor); }
};
struct MenuTraits {
    static void release(HMENU menu) { DestroyMenu(menu); }
};
struct KernelTraits {
    static void release(HANDLE handle) { CloseHandle(handle); }
};
struct WindowTraits {
    static void release(HWND window) { DestroyWindow(window); }
};

using Font = Owned<HFONT, GdiTraits>;
using Brush = Owned<HBRUSH, GdiTraits>;
using Pen = Owned<HPEN, GdiTraits>;
using Bitmap = Owned<HBITMAP, GdiTraits>;
using OwnedIcon = Owned<HICON, IconTraits>;
using OwnedCursor = Owned<HCURSOR, CursorTraits>;
using Menu = Owned<HMENU, MenuTraits>;
using KernelHandle = Owned<HANDLE, KernelTraits>;
using WindowHandle = Owned<HWND, WindowTraits>;

// A device context of a window, released when done: of its client area, or
// of the whole window with its caption and borders.
class WindowDc {
public:
    enum Area { Client, Whole };
    explicit WindowDc(HWND window, Area area = Client)
        : window_(window), dc_(area == Whole ? GetWindowDC(window) : GetDC(window)) {}
    ~WindowDc() { ReleaseDC(window_, dc_); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A memory device context, deleted when done.
class MemoryDc {
public:
    explicit MemoryDc(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {}
    ~MemoryDc() { DeleteDC(dc_); }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// Selects a GDI object into a device context and puts the previous one back.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(dc_, previous_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// BeginPaint / EndPaint.
class Painting {
public:
    explicit Painting(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    ~Painting() { EndPaint(window_, &paint_); }
    Painting(const Painting&) = delete;
    Painting& operator=(const Painting&) = delete;
    HDC dc() const { return dc_; }
    const RECT& area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

} // namespace runtime::ui
