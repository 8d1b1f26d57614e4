// Opening and closing a window, and the windows open on each thread.
#include "runtime/ui/window.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <mutex>

#include "runtime/sys/errors.h"
#include "runtime/sys/events.h"
#include "runtime/sys/interaction.h"
#include "runtime/ui/mdi.h"
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
    // The frame of a child window inside the program's frame is not a root.
    std::vector<Window*> windows = threadWindows();
    for (HWND at = handle; at != nullptr; at = GetAncestor(at, GA_PARENT)) {
        for (Window* window : windows) {
            if (window->handle() == at) {
                return window;
            }
        }
        if (at == GetDesktopWindow()) {
            break;
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
    mdiFrame_ = (definition.flags & wattr::MdiFrame) != 0;
    HWND client = (definition.flags & wattr::MdiChild) != 0 && !mdiFrame_ ? mdi::frameClient() : nullptr;
    mdiChild_ = client != nullptr;
    DWORD style = frameStyle(definition.flags);
    DWORD exStyle = frameExStyle(definition.flags, static_cast<bool>(icon));
    if (mdiChild_) {
        style = (style & ~static_cast<DWORD>(WS_POPUP)) | WS_CHILD | WS_CLIPSIBLINGS;
        exStyle = WS_EX_MDICHILD | WS_EX_WINDOWEDGE;
    }
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
    bool created = false;
    if (mdiChild_) {
        // Inside the frame the system cascades a child that asks for no place.
        POINT at{definition.at.x < 0 ? CW_USEDEFAULT : toPixelsX(definition.at.x),
                 definition.at.y < 0 ? CW_USEDEFAULT : toPixelsY(definition.at.y)};
        created = frame_->createChild(style, at, SIZE{width, height}, client, definition.caption.c_str());
    } else {
        created = frame_->create(exStyle, style, place, owner, definition.caption.c_str(), mdiFrame_);
    }
    if (!created) {
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
    openParts(definition);
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
    frameSized();
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
    // The child windows inside the frame belong to other threads, which end
    // them; destroying the frame under them would leave them without windows.
    if (mdiFrame_ && mdiClient_ != nullptr) {
        mdi::closeChildren(std::chrono::seconds(5));
    }
    closeParts();
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
    HWND child = mdiChild_ ? handle() : nullptr;
    frame_.reset();
    if (child != nullptr) {
        mdi::unregisterChild(child);
    }
    removeOpenWindow(this);
    closed_ = true;
}

} // namespace runtime::ui
