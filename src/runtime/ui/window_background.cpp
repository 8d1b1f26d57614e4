// The content's background (colour or picture, and the brush controls paint
// their corner of it with) and the vertical scrolling of the content.
#include <windows.h>

#include <algorithm>

#include "runtime/ui/window.h"
#include "runtime/ui/window_frame.h"

namespace runtime::ui {

bool Window::hasWallpaper() const {
    return static_cast<bool>(wallpaper_);
}

void Window::rebuildWallpaperCache() {
    wallpaperBrush_.reset();
    wallpaperCache_.reset();
    if (!wallpaper_ || wallpaperSurface() == nullptr) {
        return;
    }
    if (wallpaperMode_ == WallpaperMode::Tile) {
        wallpaperBrush_.reset(CreatePatternBrush(wallpaper_.get()));
        return;
    }
    RECT client{};
    GetClientRect(wallpaperSurface(), &client);
    if (client.right <= 0 || client.bottom <= 0) {
        return;
    }
    BITMAP picture{};
    GetObjectA(wallpaper_.get(), sizeof picture, &picture);
    WindowDc screen(wallpaperSurface());
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
    if (wallpaperBrush_ && !mdiFrame_) {
        SetBrushOrgEx(dc, 0, 0, nullptr);
        FillRect(dc, &area, wallpaperBrush_.get());
        return;
    }
    FillRect(dc, &area, colourBrush_ ? colourBrush_.get() : GetSysColorBrush(COLOR_3DFACE));
}

HBRUSH Window::backgroundBrush(HDC dc, const Control& control) {
    if (wallpaperBrush_ && !mdiFrame_) {
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
        layoutParts(client);
        MoveWindow(canvas_->hwnd(), client.left, client.top, client.right - client.left,
                   client.bottom - client.top, TRUE);
        rebuildWallpaperCache();
        updateScrollRange();
        InvalidateRect(canvas_->hwnd(), nullptr, TRUE);
        if (mdiClient_ != nullptr) {
            InvalidateRect(mdiClient_, nullptr, TRUE);
        }
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
