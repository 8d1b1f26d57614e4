// List boxes: drawing the rows, in the system's list colours, through a
// bitmap so that paging many times a second does not flicker.
#include <windows.h>

#include <algorithm>

#include "runtime/ui/fonts.h"
#include "runtime/ui/list_box.h"
#include "runtime/ui/window.h"

namespace runtime::ui {
namespace {

constexpr int CellPadding = 4;

UINT alignFlag(Align align) {
    switch (align) {
    case Align::Centre:
        return DT_CENTER;
    case Align::Right:
        return DT_RIGHT;
    case Align::Left:
        break;
    }
    return DT_LEFT;
}

void fill(HDC dc, const RECT& area, COLORREF colour) {
    SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
}

} // namespace

int ListBox::rowHeight() const {
    WindowDc screen(nullptr);
    Selected chosen(screen.get(), font());
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen.get(), &metrics);
    return metrics.tmHeight + 3;
}

HFONT ListBox::styleFont(int32_t style) {
    auto found = styles_.find(style);
    if (style == 0 || found == styles_.end() || found->second.fontStyle == 0) {
        return font();
    }
    auto made = styleFonts_.find(style);
    if (made == styleFonts_.end()) {
        FontSpec spec = effectiveFont();
        spec.style = found->second.fontStyle;
        made = styleFonts_.emplace(style, createFont(spec)).first;
    }
    return made->second.get();
}

void ListBox::paint(HDC target, const RECT& client) {
    if (client.right <= 0 || client.bottom <= 0) {
        return;
    }
    MemoryDc buffer(target);
    Bitmap surface(CreateCompatibleBitmap(target, client.right, client.bottom));
    Selected into(buffer.get(), surface.get());
    HDC dc = buffer.get();

    int32_t listColour = get(Prop::Colour, 0).number32();
    COLORREF background =
        listColour != DefaultColour ? static_cast<COLORREF>(listColour) : GetSysColor(COLOR_WINDOW);
    int32_t fontColour = effectiveFont().colour;
    COLORREF text =
        fontColour != DefaultColour ? static_cast<COLORREF>(fontColour) : GetSysColor(COLOR_WINDOWTEXT);
    bool focused = GetFocus() == handle();
    bool enabled = window().isEnabled(*this);
    fill(dc, client, background);
    SetBkMode(dc, TRANSPARENT);

    int height = rowHeight();
    int top = headerHeight();
    int first = paged_ ? 0 : top_;
    size_t columns = std::max<size_t>(columns_.size(), 1);
    for (int row = first; row < static_cast<int>(rowCount()); ++row) {
        int y = top + (row - first) * height;
        if (y >= client.bottom) {
            break;
        }
        RECT line{0, y, client.right, y + height};
        bool selected = row + 1 == selected_;
        COLORREF rowBackground = !selected ? background
                                 : focused ? GetSysColor(COLOR_HIGHLIGHT)
                                           : GetSysColor(COLOR_BTNFACE);
        if (selected) {
            fill(dc, line, rowBackground);
        }
        int x = -scrollX_;
        for (size_t column = 0; column < columns; ++column) {
            int width = columns_.empty() ? client.right + scrollX_ : columnWidth(column);
            RECT cell{x, y, x + width, y + height};
            x += width;
            if (cell.right <= 0 || cell.left >= client.right) {
                continue;
            }
            const ListColumn* format = columns_.empty() ? nullptr : &columns_[column];
            int32_t styleNumber = format != nullptr ? format->style : 0;
            auto style = styles_.find(styleNumber);
            COLORREF ink = text;
            if (style != styles_.end() && style->second.fontColour != DefaultColour) {
                ink = static_cast<COLORREF>(style->second.fontColour);
            }
            if (format != nullptr && format->colour != DefaultColour) {
                ink = static_cast<COLORREF>(format->colour);
            }
            if (!selected && style != styles_.end() && style->second.colour != DefaultColour) {
                fill(dc, cell, static_cast<COLORREF>(style->second.colour));
            }
            if (!enabled) {
                ink = GetSysColor(COLOR_GRAYTEXT);
            } else if (selected && focused) {
                ink = GetSysColor(COLOR_HIGHLIGHTTEXT);
            }
            SetTextColor(dc, ink);
            Selected face(dc, styleFont(styleNumber));
            std::string shown = cellText(static_cast<size_t>(row), column + 1);
            RECT inside{cell.left + CellPadding, cell.top, cell.right - CellPadding, cell.bottom};
            DrawTextA(dc, shown.c_str(), static_cast<int>(shown.size()), &inside,
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS |
                          alignFlag(format != nullptr ? format->align : Align::Left));
        }
        if (selected && focused) {
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, rowBackground);
            DrawFocusRect(dc, &line);
        }
    }
    BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
}

} // namespace runtime::ui
