// List boxes: what the user does with the mouse, the keys, the wheel, the
// scroll bars and the header, and how the list answers (see list_box.h).
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "runtime/sys/events.h"
#include "runtime/ui/keys.h"
#include "runtime/ui/list_box.h"
#include "runtime/ui/window.h"

namespace runtime::ui {
namespace {

constexpr int ThumbRange = 100;

int wheelLines() {
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    return lines == WHEEL_PAGESCROLL ? 0 : static_cast<int>(std::max<UINT>(lines, 1));
}

} // namespace

std::optional<LRESULT> ListBox::message(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        Painting painting(handle());
        RECT client{};
        GetClientRect(handle(), &client);
        paint(painting.dc(), client);
        return 0;
    }
    case WM_SIZE:
        layout();
        return 0;
    case WM_SETFOCUS:
        InvalidateRect(handle(), nullptr, FALSE);
        window().focused(*this);
        return 0;
    case WM_KILLFOCUS:
        InvalidateRect(handle(), nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        clicked(lParam, message == WM_LBUTTONDBLCLK);
        return 0;
    case WM_RBUTTONDOWN:
        SetFocus(handle());
        return 0;
    case WM_KEYDOWN:
        keyPressed(wParam);
        return 0;
    case WM_MOUSEWHEEL:
        wheel(GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA);
        return 0;
    case WM_VSCROLL:
        scrolled(LOWORD(wParam));
        return 0;
    case WM_HSCROLL:
        scrolledAcross(LOWORD(wParam));
        return 0;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == header_) {
            headerNotified(*header);
        }
        return 0;
    }
    default:
        return std::nullopt;
    }
}

void ListBox::request(int32_t event) {
    window().queue(event, number());
}

void ListBox::clicked(LPARAM where, bool twice) {
    SetFocus(handle());
    int x = static_cast<short>(LOWORD(where));
    int y = static_cast<short>(HIWORD(where));
    int row = rowAt(y);
    if (row < 0) {
        return;
    }
    if (int32_t column = columnAt(x); column != 0) {
        column_ = column;
    }
    selected_ = row + 1;
    InvalidateRect(handle(), nullptr, FALSE);
    window().queue(event::NewSelection, number());
    if (twice) {
        window().queue(event::Accepted, number(), mousekey::LeftDouble);
    }
}

void ListBox::keyPressed(WPARAM key) {
    if (key == VK_LEFT || key == VK_RIGHT) {
        scrollAcross(scrollX_ + (key == VK_LEFT ? -1 : 1) * rowHeight() * 2);
        return;
    }
    if (paged_) {
        switch (key) {
        case VK_UP:
            request(event::ScrollUp);
            break;
        case VK_DOWN:
            request(event::ScrollDown);
            break;
        case VK_PRIOR:
            request(event::PageUp);
            break;
        case VK_NEXT:
            request(event::PageDown);
            break;
        case VK_HOME:
            request(event::ScrollTop);
            break;
        case VK_END:
            request(event::ScrollBottom);
            break;
        default:
            break;
        }
        return;
    }
    int last = static_cast<int>(rowCount()) - 1;
    int row = selected_ - 1;
    int page = visibleRows();
    switch (key) {
    case VK_UP:
        row = row < 0 ? 0 : row - 1;
        break;
    case VK_DOWN:
        row = row + 1;
        break;
    case VK_PRIOR:
        row -= page;
        break;
    case VK_NEXT:
        row = row < 0 ? page - 1 : row + page;
        break;
    case VK_HOME:
        row = 0;
        break;
    case VK_END:
        row = last;
        break;
    default:
        return;
    }
    if (last >= 0) {
        selectRow(std::clamp(row, 0, last), true);
    }
}

void ListBox::wheel(int notches) {
    int lines = wheelLines();
    if (paged_) {
        int count = lines == 0 ? 1 : lines * std::abs(notches);
        int32_t event = lines == 0 ? (notches > 0 ? event::PageUp : event::PageDown)
                                   : (notches > 0 ? event::ScrollUp : event::ScrollDown);
        for (int i = 0; i < count; ++i) {
            request(event);
        }
        return;
    }
    int step = lines == 0 ? visibleRows() : lines;
    scrollTo(top_ - notches * step);
}

void ListBox::scrolled(WORD requested) {
    if (paged_) {
        switch (requested) {
        case SB_LINEUP:
            request(event::ScrollUp);
            break;
        case SB_LINEDOWN:
            request(event::ScrollDown);
            break;
        case SB_PAGEUP:
            request(event::PageUp);
            break;
        case SB_PAGEDOWN:
            request(event::PageDown);
            break;
        case SB_TOP:
            request(event::ScrollTop);
            break;
        case SB_BOTTOM:
            request(event::ScrollBottom);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_TRACKPOS;
            GetScrollInfo(handle(), SB_VERT, &info);
            int32_t position = std::clamp(info.nTrackPos, 0, ThumbRange);
            if (requested == SB_THUMBPOSITION || position != dragged_) {
                thumb_ = position;
                dragged_ = requested == SB_THUMBPOSITION ? -1 : position;
                request(event::ScrollDrag);
            }
            break;
        }
        case SB_ENDSCROLL:
            dragged_ = -1;
            shownVertical_ = {}; // the drag moved the thumb behind our back
            updateScrollBars();
            break;
        default:
            break;
        }
        return;
    }
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(handle(), SB_VERT, &info);
    int top = top_;
    switch (requested) {
    case SB_LINEUP:
        --top;
        break;
    case SB_LINEDOWN:
        ++top;
        break;
    case SB_PAGEUP:
        top -= visibleRows();
        break;
    case SB_PAGEDOWN:
        top += visibleRows();
        break;
    case SB_TOP:
        top = 0;
        break;
    case SB_BOTTOM:
        top = static_cast<int>(rowCount());
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        top = info.nTrackPos;
        break;
    default:
        return;
    }
    scrollTo(top);
}

void ListBox::scrolledAcross(WORD requested) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(handle(), SB_HORZ, &info);
    int offset = scrollX_;
    int step = rowHeight() * 2;
    switch (requested) {
    case SB_LINELEFT:
        offset -= step;
        break;
    case SB_LINERIGHT:
        offset += step;
        break;
    case SB_PAGELEFT:
        offset -= static_cast<int>(info.nPage);
        break;
    case SB_PAGERIGHT:
        offset += static_cast<int>(info.nPage);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        offset = info.nTrackPos;
        break;
    default:
        return;
    }
    scrollAcross(offset);
}

void ListBox::headerNotified(NMHDR& header) {
    if (header.code == HDN_ITEMCHANGEDA || header.code == HDN_ITEMCHANGEDW) {
        auto* changed = reinterpret_cast<NMHEADERA*>(&header);
        auto column = static_cast<size_t>(changed->iItem);
        if (changed->pitem != nullptr && (changed->pitem->mask & HDI_WIDTH) != 0 && column < widths_.size()) {
            widths_[column] = changed->pitem->cxy;
            layout();
        }
    } else if (header.code == HDN_ITEMCLICKA || header.code == HDN_ITEMCLICKW) {
        column_ = reinterpret_cast<NMHEADERA*>(&header)->iItem + 1;
    }
}

void ListBox::selectRow(int row, bool notify) {
    int count = static_cast<int>(rowCount());
    int32_t chosen = count == 0 || row < 0 ? 0 : std::min(row, count - 1) + 1;
    if (!paged_ && chosen > 0) {
        int page = visibleRows();
        int shown = chosen - 1;
        if (shown < top_) {
            scrollTo(shown);
        } else if (shown >= top_ + page) {
            scrollTo(shown - page + 1);
        }
    }
    bool changed = chosen != selected_;
    selected_ = chosen;
    InvalidateRect(handle(), nullptr, FALSE);
    if (notify && changed) {
        window().queue(event::NewSelection, number());
    }
}

void ListBox::scrollTo(int top) {
    if (paged_) {
        return;
    }
    int limit = std::max(static_cast<int>(rowCount()) - visibleRows(), 0);
    top = std::clamp(top, 0, limit);
    if (top == top_) {
        return;
    }
    top_ = top;
    updateScrollBars();
    InvalidateRect(handle(), nullptr, FALSE);
}

void ListBox::scrollAcross(int offset) {
    RECT client{};
    GetClientRect(handle(), &client);
    offset = std::clamp(offset, 0, std::max<int>(totalWidth() - client.right, 0));
    if (offset == scrollX_) {
        return;
    }
    scrollX_ = offset;
    layout();
}

} // namespace runtime::ui
