// Opening and closing a window, and the properties of the window itself:
// frame, caption, units, place, timer, background and scrolling.
#include "runtime/ui/window.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <mutex>

#include "runtime/sys/errors.h"
#include "runtime/sys/events.h"
#include "runtime/sys/interaction.h"
#include "runtime/ui/messages.h"
#include "runtime/ui/resources.h"
#include "runtime/ui/thread_windows.h"
#include "runtime/ui/threads.h"
#include "runtime/ui/tooltips.h"
#include "runtime/ui/window_frame.h"

namespace runtime::ui {
namespace {

// The open windows of each thread, by OS thread. Not thread_local: the MinGW
// runtime runs thread_local destructors after freeing their storage.
struct OpenWindows {
    std::mutex mutex;
    std::map<DWORD, std::vector<Window*>> byThread;
};

OpenWindows& allOpenWindows() {
    static OpenWindows instance;
    return instance;
}

// A copy, so the caller may open and close windows while walking it.
std::vector<Window*> threadWindows() {
    OpenWindows& open = allOpenWindows();
    std::lock_guard lock(open.mutex);
    auto found = open.byThread.find(GetCurrentThreadId());
    return found == open.byThread.end() ? std::vector<Window*>() : found->second;
}

DWORD frameStyle(uint32_t flags) {
    DWORD style = WS_CLIPCHILDREN;
    if ((flags & wattr::NoCaption) != 0) {
        style |= WS_POPUP | WS_BORDER;
    } else {
        style |= WS_OVERLAPPED | WS_CAPTION;
        if ((flags & wattr::SystemMenu) != 0) {
            style |= WS_SYSMENU;
        }
        if ((flags & wattr::MinimiseBox) != 0) {
            style |= WS_MINIMIZEBOX;
        }
        if ((flags & wattr::MaximiseBox) != 0) {
            style |= WS_MAXIMIZEBOX;
        }
    }
    if ((flags & wattr::Resizable) != 0) {
        style |= WS_THICKFRAME;
    }
    return style;
}

DWORD frameExStyle(uint32_t flags, bool hasIcon) {
    DWORD exStyle = WS_EX_CONTROLPARENT;
    // A fixed dialog frame, as dialogs have; it hides the caption icon, so not with one.
    bool plainDialog =
        (flags & (wattr::Resizable | wattr::NoCaption | wattr::MinimiseBox | wattr::MaximiseBox)) == 0;
    if (plainDialog && !hasIcon) {
        exStyle |= WS_EX_DLGMODALFRAME;
    }
    if ((flags & wattr::ToolWindow) != 0) {
        exStyle |= WS_EX_TOOLWINDOW;
    }
    return exStyle;
}

RECT workArea() {
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    if (area.right <= area.left) {
        area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return area;
}

} // namespace

// ---- Windows of a thread --------------------------------------------------

void addOpenWindow(Window* window) {
    OpenWindows& open = allOpenWindows();
    std::lock_guard lock(open.mutex);
    open.byThread[GetCurrentThreadId()].push_back(window);
}

void removeOpenWindow(Window* window) {
    OpenWindows& open = allOpenWindows();
    std::lock_guard lock(open.mutex);
    auto found = open.byThread.find(GetCurrentThreadId());
    if (found != open.byThread.end()) {
        std::erase(found->second, window);
        if (found->second.empty()) {
            open.byThread.erase(found);
        }
    }
}

std::vector<Window*> openWindows() {
    return threadWindows();
}

Window* windowOwning(HWND handle) {
    if (handle == nullptr) {
        return nullptr;
    }
    HWND root = GetAncestor(handle, GA_ROOT);
    for (Window* window : threadWindows()) {
        if (window->handle() == root) {
            return window;
        }
    }
    return nullptr;
}

Window* currentWindow() {
    std::vector<Window*> windows = threadWindows();
    return windows.empty() ? nullptr : windows.back();
}

// ---- Opening and closing --------------------------------------------------

Window::Window(const WindowDefinition& definition) {
    open(definition);
}

Window::~Window() {
    closeNow();
}

void Window::open(const WindowDefinition& definition) {
    ownerThread_ = GetCurrentThreadId();
    ownerNumber_ = currentThread();
    fontSpec_ = mergeFont(definition.font, defaultWindowFont());
    font_ = createFont(fontSpec_);
    base_ = baseUnitsOf(font_.get());
    colour_ = definition.colour;
    if (colour_ != DefaultColour) {
        colourBrush_.reset(CreateSolidBrush(static_cast<COLORREF>(colour_)));
    }
    wallpaper_ = loadBitmap(definition.wallpaper);
    wallpaperMode_ = definition.wallpaperMode;
    modal_ = (definition.flags & wattr::Modal) != 0;
    scrolling_ = (definition.flags & wattr::VScroll) != 0;

    Window* previous = currentWindow();
    IconRef icon = loadIcon(definition.icon);
    DWORD style = frameStyle(definition.flags);
    DWORD exStyle = frameExStyle(definition.flags, static_cast<bool>(icon));
    RECT outer{0, 0, toPixelsX(std::max(definition.at.width, 1)),
               toPixelsY(std::max(definition.at.height, 1))};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    int width = outer.right - outer.left;
    int height = outer.bottom - outer.top;
    RECT around = workArea();
    if (modal_ && previous != nullptr) {
        GetWindowRect(previous->handle(), &around);
    }
    int x = definition.at.x < 0 ? around.left + (around.right - around.left - width) / 2
                                : toPixelsX(definition.at.x);
    int y = definition.at.y < 0 ? around.top + (around.bottom - around.top - height) / 2
                                : toPixelsY(definition.at.y);
    RECT place{x, y, x + width, y + height};

    frame_ = std::make_unique<Frame>(*this);
    HWND owner = modal_ && previous != nullptr ? previous->handle() : nullptr;
    if (!frame_->create(exStyle, style, place, owner, definition.caption.c_str())) {
        setError(err::InvalidHandle, "The window could not be created");
        frame_.reset();
        closed_ = true;
        return;
    }
    canvas_ = std::make_unique<Canvas>(*this);
    canvas_->create(frame_->hwnd());
    SendMessageA(frame_->hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SendMessageA(canvas_->hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    if (icon) {
        IconRef small = loadIcon(definition.icon, GetSystemMetrics(SM_CXSMICON));
        SendMessageA(frame_->hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon.get()));
        SendMessageA(frame_->hwnd(), WM_SETICON, ICON_SMALL,
                     reinterpret_cast<LPARAM>(small ? small.get() : icon.get()));
        // The frame shows the icons for as long as it exists; keep them that long.
        windowIcons_.push_back(std::move(icon));
        windowIcons_.push_back(std::move(small));
    }
    tooltips_ = std::make_unique<Tooltips>(canvas_->hwnd());
    rebuildWallpaperCache();
    addOpenWindow(this);

    nextId_ = FirstControlId;
    for (const ControlDefinition& control : definition.controls) {
        Rect pixels{toPixelsX(control.at.x), toPixelsY(control.at.y), toPixelsX(control.at.width),
                    toPixelsY(control.at.height)};
        build(control, pixels, false);
    }
    // Options show their choice only once their radios exist.
    for (const auto& control : controls_) {
        control->display();
    }
    pixels_ = (definition.flags & wattr::Pixels) != 0;
    setTimer(definition.timer);
    queue(event::OpenWindow, 0);
    updateScrollRange();

    if (modal_) {
        for (Window* other : openWindows()) {
            if (other != this && IsWindowEnabled(other->handle())) {
                EnableWindow(other->handle(), FALSE);
                disabledByModal_.push_back(other->handle());
            }
        }
    }
    if ((definition.flags & wattr::Hidden) == 0) {
        show();
    }
}

void Window::closeNow() {
    if (closed_) {
        return;
    }
    closing_ = true;
    if (frame_ && frame_->hwnd() != nullptr) {
        KillTimer(frame_->hwnd(), EventTimerId);
        KillTimer(frame_->hwnd(), MouseTimerId);
    }
    // The windows the modal window disabled must be usable again before it
    // goes, or the system activates some other program's window.
    for (HWND other : disabledByModal_) {
        if (IsWindow(other)) {
            EnableWindow(other, TRUE);
        }
    }
    disabledByModal_.clear();
    for (const auto& control : controls_) {
        control->destroyHandle();
    }
    controls_.clear();
    byNumber_.clear();
    byHandle_.clear();
    byId_.clear();
    tooltips_.reset();
    canvas_.reset();
    frame_.reset();
    removeOpenWindow(this);
    closed_ = true;
}

// ---- The window's own properties ------------------------------------------

HWND Window::handle() const {
    return frame_ ? frame_->hwnd() : nullptr;
}

HWND Window::clientHandle() const {
    return canvas_ ? canvas_->hwnd() : nullptr;
}

HWND Window::canvasHandle() const {
    return clientHandle();
}

std::string Window::title() const {
    if (handle() == nullptr) {
        return {};
    }
    int length = GetWindowTextLengthA(handle());
    std::string text(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(handle(), text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

void Window::setTitle(std::string_view title) {
    if (handle() != nullptr) {
        SetWindowTextA(handle(), std::string(title).c_str());
    }
}

bool Window::captionShown() const {
    return handle() != nullptr && (GetWindowLongPtrA(handle(), GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
}

void Window::setCaptionShown(bool shown) {
    if (handle() == nullptr || captionShown() == shown) {
        return;
    }
    RECT client{};
    GetClientRect(handle(), &client);
    RECT outer{};
    GetWindowRect(handle(), &outer);
    LONG_PTR style = GetWindowLongPtrA(handle(), GWL_STYLE);
    if (shown) {
        style = (style & ~static_cast<LONG_PTR>(WS_POPUP)) | WS_CAPTION | WS_SYSMENU;
    } else {
        style = (style & ~static_cast<LONG_PTR>(WS_CAPTION | WS_SYSMENU)) | WS_POPUP | WS_BORDER;
    }
    SetWindowLongPtrA(handle(), GWL_STYLE, style);
    RECT wanted = client;
    AdjustWindowRectEx(&wanted, static_cast<DWORD>(style), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(handle(), GWL_EXSTYLE)));
    SetWindowPos(handle(), nullptr, outer.left, outer.top, wanted.right - wanted.left,
                 wanted.bottom - wanted.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

int32_t Window::toUnitsX(int pixels) const {
    return pixels_ ? pixels : pixelsToDialogX(pixels, base_);
}

int32_t Window::toUnitsY(int pixels) const {
    return pixels_ ? pixels : pixelsToDialogY(pixels, base_);
}

int Window::toPixelsX(int32_t units) const {
    return pixels_ ? units : dialogToPixelsX(units, base_);
}

int Window::toPixelsY(int32_t units) const {
    return pixels_ ? units : dialogToPixelsY(units, base_);
}

Rect Window::position() const {
    if (handle() == nullptr) {
        return {};
    }
    RECT outer{};
    GetWindowRect(handle(), &outer);
    RECT client{};
    GetClientRect(handle(), &client);
    return {toUnitsX(outer.left), toUnitsY(outer.top), toUnitsX(client.right), toUnitsY(client.bottom)};
}

void Window::setPosition(const Rect& position) {
    if (handle() == nullptr) {
        return;
    }
    RECT wanted{0, 0, toPixelsX(position.width), toPixelsY(position.height)};
    AdjustWindowRectEx(&wanted, static_cast<DWORD>(GetWindowLongPtrA(handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(handle(), GWL_EXSTYLE)));
    SetWindowPos(handle(), nullptr, toPixelsX(position.x), toPixelsY(position.y), wanted.right - wanted.left,
                 wanted.bottom - wanted.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::setTimer(int32_t hundredths) {
    timer_ = std::max(hundredths, 0);
    if (handle() == nullptr) {
        return;
    }
    if (timer_ == 0) {
        KillTimer(handle(), EventTimerId);
    } else {
        SetTimer(handle(), EventTimerId, static_cast<UINT>(timer_) * 10, nullptr);
    }
}

void Window::activate() {
    if (handle() == nullptr) {
        return;
    }
    if (IsIconic(handle())) {
        ShowWindow(handle(), SW_RESTORE);
    }
    SetForegroundWindow(handle());
    SetActiveWindow(handle());
}

void Window::show() {
    if (handle() != nullptr) {
        ShowWindow(handle(), SW_SHOWNORMAL);
        UpdateWindow(handle());
    }
}

void Window::hide() {
    if (handle() != nullptr) {
        ShowWindow(handle(), SW_HIDE);
    }
}

void Window::setBusy(bool busy) {
    busy_ = busy;
    POINT mouse{};
    GetCursorPos(&mouse);
    // Make the cursor change now, not at the next mouse move.
    SetCursorPos(mouse.x, mouse.y);
}

void Window::setCursor(std::string_view name) {
    cursorName_ = std::string(name);
    windowCursor_ = loadCursor(cursorName_);
    POINT mouse{};
    GetCursorPos(&mouse);
    SetCursorPos(mouse.x, mouse.y);
}

void Window::setColour(int32_t colour) {
    colour_ = colour;
    colourBrush_.reset(colour == DefaultColour ? nullptr : CreateSolidBrush(static_cast<COLORREF>(colour)));
    if (clientHandle() != nullptr) {
        RedrawWindow(clientHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

bool Window::resizable() const {
    return handle() != nullptr && (GetWindowLongPtrA(handle(), GWL_STYLE) & WS_THICKFRAME) != 0;
}

void Window::setResizable(bool resizable) {
    if (handle() == nullptr || this->resizable() == resizable) {
        return;
    }
    RECT client{};
    GetClientRect(handle(), &client);
    RECT outer{};
    GetWindowRect(handle(), &outer);
    LONG_PTR style = GetWindowLongPtrA(handle(), GWL_STYLE);
    style = resizable ? (style | WS_THICKFRAME) : (style & ~static_cast<LONG_PTR>(WS_THICKFRAME));
    SetWindowLongPtrA(handle(), GWL_STYLE, style);
    // The content keeps its size; the frame grows or shrinks around it.
    RECT wanted = client;
    AdjustWindowRectEx(&wanted, static_cast<DWORD>(style), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(handle(), GWL_EXSTYLE)));
    SetWindowPos(handle(), nullptr, outer.left, outer.top, wanted.right - wanted.left,
                 wanted.bottom - wanted.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Window::addFrameFilter(FrameFilter filter) {
    frameFilters_.push_back(std::move(filter));
}

POINT Window::mouseInContent() const {
    POINT mouse{};
    GetCursorPos(&mouse);
    if (clientHandle() != nullptr) {
        ScreenToClient(clientHandle(), &mouse);
    }
    mouse.y += scrollY_;
    return mouse;
}

int32_t Window::mouseX() const {
    return toUnitsX(mouseInContent().x);
}

int32_t Window::mouseY() const {
    return toUnitsY(mouseInContent().y);
}

int32_t Window::controlUnderMouse() const {
    POINT screen{};
    GetCursorPos(&screen);
    HWND over = WindowFromPoint(screen);
    if (over == nullptr || GetAncestor(over, GA_ROOT) != handle()) {
        return 0;
    }
    Control* control = controlAt(mouseInContent());
    return control == nullptr ? 0 : control->number();
}

// ---- Background and scrolling ----------------------------------------------

bool Window::hasWallpaper() const {
    return static_cast<bool>(wallpaper_);
}

void Window::rebuildWallpaperCache() {
    wallpaperBrush_.reset();
    wallpaperCache_.reset();
    if (!wallpaper_ || clientHandle() == nullptr) {
        return;
    }
    if (wallpaperMode_ == WallpaperMode::Tile) {
        wallpaperBrush_.reset(CreatePatternBrush(wallpaper_.get()));
        return;
    }
    RECT client{};
    GetClientRect(clientHandle(), &client);
    if (client.right <= 0 || client.bottom <= 0) {
        return;
    }
    BITMAP picture{};
    GetObjectA(wallpaper_.get(), sizeof picture, &picture);
    WindowDc screen(clientHandle());
    Bitmap cache(CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
    MemoryDc target(screen.get());
    MemoryDc source(screen.get());
    {
        Selected into(target.get(), cache.get());
        Selected from(source.get(), wallpaper_.get());
        if (wallpaperMode_ == WallpaperMode::Stretch) {
            SetStretchBltMode(target.get(), HALFTONE);
            StretchBlt(target.get(), 0, 0, client.right, client.bottom, source.get(), 0, 0, picture.bmWidth,
                       picture.bmHeight, SRCCOPY);
        } else {
            FillRect(target.get(), &client, GetSysColorBrush(COLOR_3DFACE));
            BitBlt(target.get(), (client.right - picture.bmWidth) / 2, (client.bottom - picture.bmHeight) / 2,
                   picture.bmWidth, picture.bmHeight, source.get(), 0, 0, SRCCOPY);
        }
    }
    wallpaperCache_ = std::move(cache);
    wallpaperBrush_.reset(CreatePatternBrush(wallpaperCache_.get()));
}

void Window::paintBackground(HDC dc, const RECT& area) {
    if (wallpaperBrush_) {
        SetBrushOrgEx(dc, 0, 0, nullptr);
        FillRect(dc, &area, wallpaperBrush_.get());
        return;
    }
    FillRect(dc, &area, colourBrush_ ? colourBrush_.get() : GetSysColorBrush(COLOR_3DFACE));
}

HBRUSH Window::backgroundBrush(HDC dc, const Control& control) {
    if (wallpaperBrush_) {
        // The control paints its own corner of the wallpaper.
        SetBrushOrgEx(dc, -control.area().x, -(control.area().y - scrollY_), nullptr);
        return wallpaperBrush_.get();
    }
    if (colourBrush_) {
        SetBkColor(dc, static_cast<COLORREF>(colour_));
        return colourBrush_.get();
    }
    SetBkColor(dc, GetSysColor(COLOR_3DFACE));
    return GetSysColorBrush(COLOR_3DFACE);
}

void Window::frameSized() {
    if (canvas_ && canvas_->hwnd() != nullptr) {
        RECT client{};
        GetClientRect(handle(), &client);
        MoveWindow(canvas_->hwnd(), 0, 0, client.right, client.bottom, TRUE);
        rebuildWallpaperCache();
        updateScrollRange();
        InvalidateRect(canvas_->hwnd(), nullptr, TRUE);
    }
}

void Window::setScrolling(bool scrolling) {
    scrolling_ = scrolling;
    updateScrollRange();
}

void Window::updateScrollRange() {
    HWND canvas = clientHandle();
    if (canvas == nullptr) {
        return;
    }
    int contentHeight = 0;
    if (scrolling_) {
        for (const auto& control : controls_) {
            if (!control->isContainer() && isShown(*control)) {
                contentHeight = std::max(contentHeight, static_cast<int>(control->area().bottom()));
            }
        }
    }
    RECT client{};
    GetClientRect(canvas, &client);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = 0;
    info.nMax = std::max(contentHeight - 1, 0);
    info.nPage = static_cast<UINT>(std::max<LONG>(client.bottom, 0));
    if (contentHeight <= client.bottom) {
        info.nMax = 0;
        info.nPage = 0;
    }
    SetScrollInfo(canvas, SB_VERT, &info, TRUE);
    scrollTo(scrollY_);
}

void Window::scrollTo(int offset) {
    HWND canvas = clientHandle();
    if (canvas == nullptr) {
        return;
    }
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(canvas, SB_VERT, &info);
    int limit = info.nPage == 0 ? 0 : std::max(info.nMax - static_cast<int>(info.nPage) + 1, 0);
    int wanted = std::clamp(offset, 0, limit);
    if (wanted == scrollY_) {
        return;
    }
    scrollY_ = wanted;
    SetScrollPos(canvas, SB_VERT, wanted, TRUE);
    for (const auto& control : controls_) {
        control->applyPosition();
        updateTooltip(*control);
    }
    RedrawWindow(canvas, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

} // namespace runtime::ui
