// List boxes: the control, its properties, and the places of its parts (the
// header, the rows, the scroll bars).
#include "runtime/ui/list_box.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "runtime/text/picture.h"
#include "runtime/text/strings.h"
#include "runtime/ui/variable_text.h"
#include "runtime/ui/window.h"

namespace runtime::ui {
namespace {

// Thumb positions run from 0 to 100; the scroll bar's page makes the thumb
// as large as a list's usually is.
constexpr int ThumbPage = 10;
constexpr int ThumbRange = 100;

// Pixels between a cell's edge and its text.
constexpr int CellPadding = 4;

UINT headerFormat(Align align) {
    switch (align) {
    case Align::Centre:
        return HDF_CENTER;
    case Align::Right:
        return HDF_RIGHT;
    case Align::Left:
        break;
    }
    return HDF_LEFT;
}

Align alignOf(int64_t number) {
    return number == 1 ? Align::Centre : number == 2 ? Align::Right : Align::Left;
}

} // namespace

ListBox::ListBox(Window& window, const ControlDefinition& definition, const Rect& area)
    : Control(window, definition, area), surface_([this](UINT message, WPARAM wParam, LPARAM lParam) {
          return this->message(message, wParam, lParam);
      }),
      rows_(definition.rows), columns_(definition.columns), paged_((definition.flags & attr::Paged) != 0) {
    if (rows_ == nullptr) {
        ownRows_ = rowsFromItems(definition.from);
        rows_ = ownRows_.get();
    }
    autoWidth_ = autoHeight_ = false;
}

ListBox::~ListBox() {
    destroyHandle();
}

HWND ListBox::createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) {
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    shownVertical_ = {};
    shownAcross_ = {};
    headerPlace_ = {};
    HWND list = surface_.create("RvList", WS_EX_CLIENTEDGE, style | WS_VSCROLL | WS_HSCROLL | WS_CLIPCHILDREN,
                                place, canvas, win32Id);
    if (list == nullptr) {
        return nullptr;
    }
    if (!columns_.empty()) {
        header_ =
            CreateWindowExA(0, WC_HEADERA, "", WS_CHILD | WS_VISIBLE | HDS_HORZ | HDS_BUTTONS | HDS_FULLDRAG,
                            0, 0, 0, 0, list, nullptr, GetModuleHandleA(nullptr), nullptr);
        SendMessageA(header_, WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
    }
    return list;
}

SIZE ListBox::naturalSize() const {
    return {window().dialogX(120), window().dialogY(80)};
}

void ListBox::fontChanged() {
    styleFonts_.clear();
    if (header_ != nullptr) {
        SendMessageA(header_, WM_SETFONT, reinterpret_cast<WPARAM>(font()), TRUE);
    }
    widths_.clear();
    layout();
}

// ---- Columns and places ---------------------------------------------------------

int ListBox::columnWidth(size_t column) const {
    return column < widths_.size() ? widths_[column] : 0;
}

int ListBox::totalWidth() const {
    int total = 0;
    for (int width : widths_) {
        total += width;
    }
    return total;
}

void ListBox::buildHeader() {
    widths_.clear();
    WindowDc screen(nullptr);
    Selected chosen(screen.get(), font());
    for (const ListColumn& column : columns_) {
        int width = column.width > 0 ? window().dialogX(column.width) : 0;
        if (width == 0) {
            // As wide as the header or the widest value the picture shows.
            std::optional<text::Picture> picture = text::Picture::parse(column.picture);
            std::string sample(static_cast<size_t>(picture ? picture->width() : 10), '0');
            SIZE header{};
            GetTextExtentPoint32A(screen.get(), column.header.c_str(), static_cast<int>(column.header.size()),
                                  &header);
            SIZE values{};
            GetTextExtentPoint32A(screen.get(), sample.c_str(), static_cast<int>(sample.size()), &values);
            width = std::max(header.cx, values.cx) + 2 * CellPadding + 4;
        }
        widths_.push_back(width);
    }
    if (header_ == nullptr) {
        return;
    }
    while (SendMessageA(header_, HDM_GETITEMCOUNT, 0, 0) > 0) {
        SendMessageA(header_, HDM_DELETEITEM, 0, 0);
    }
    for (size_t i = 0; i < columns_.size(); ++i) {
        // The system refuses an item without a width, so it goes in whole.
        HDITEMA item{};
        item.mask = HDI_WIDTH | HDI_FORMAT;
        item.cxy = widths_[i];
        item.fmt = HDF_LEFT;
        SendMessageA(header_, HDM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        showHeaderItem(i);
    }
}

void ListBox::showHeaderItem(size_t column) {
    if (header_ == nullptr || column >= columns_.size()) {
        return;
    }
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.cxy = columnWidth(column);
    item.pszText = columns_[column].header.data();
    item.fmt = static_cast<int>(HDF_STRING |
                                headerFormat(columns_[column].headerAlign.value_or(columns_[column].align)));
    SendMessageA(header_, HDM_SETITEMA, column, reinterpret_cast<LPARAM>(&item));
}

int ListBox::headerHeight() const {
    if (header_ == nullptr) {
        return 0;
    }
    RECT place{};
    GetWindowRect(header_, &place);
    return place.bottom - place.top;
}

int ListBox::visibleRows() const {
    RECT client{};
    GetClientRect(handle(), &client);
    return std::max<int>((client.bottom - headerHeight()) / rowHeight(), 1);
}

void ListBox::layout() {
    if (handle() == nullptr || layingOut_) {
        return;
    }
    layingOut_ = true;
    if (widths_.size() != columns_.size()) {
        buildHeader();
    }
    // The scroll bars first: showing or hiding one changes the room left.
    for (int pass = 0; pass < 2; ++pass) {
        updateScrollBars();
    }
    if (header_ != nullptr) {
        RECT client{};
        GetClientRect(handle(), &client);
        RECT room{0, 0, std::max<LONG>(client.right, totalWidth()) + scrollX_, client.bottom};
        WINDOWPOS place{};
        HDLAYOUT wanted{&room, &place};
        SendMessageA(header_, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&wanted));
        RECT wantedPlace{-scrollX_, 0, -scrollX_ + place.cx, place.cy};
        if (!EqualRect(&wantedPlace, &headerPlace_)) {
            SetWindowPos(header_, nullptr, -scrollX_, 0, place.cx, place.cy, SWP_NOZORDER | SWP_NOACTIVATE);
            headerPlace_ = wantedPlace;
        }
    }
    layingOut_ = false;
    InvalidateRect(handle(), nullptr, FALSE);
}

int32_t ListBox::thumbOfView() const {
    int last = static_cast<int>(rowCount()) - visibleRows();
    return last <= 0 ? 0 : static_cast<int32_t>(static_cast<int64_t>(top_) * ThumbRange / last);
}

void ListBox::applyScrollInfo(int bar, const SCROLLINFO& wanted, SCROLLINFO& shown) {
    // Every change redraws the bar at once, which is slow on some displays;
    // paging many times a second mostly leaves it as it was.
    bool same = shown.cbSize != 0 && shown.nMin == wanted.nMin && shown.nMax == wanted.nMax &&
                shown.nPage == wanted.nPage && shown.nPos == wanted.nPos && shown.fMask == wanted.fMask;
    if (!same) {
        SetScrollInfo(handle(), bar, &wanted, TRUE);
        shown = wanted;
    }
}

void ListBox::updateScrollBars() {
    RECT client{};
    GetClientRect(handle(), &client);
    SCROLLINFO vertical{};
    vertical.cbSize = sizeof vertical;
    vertical.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (paged_) {
        // The thumb says where the page lies in a source the list never sees.
        vertical.fMask |= SIF_DISABLENOSCROLL;
        vertical.nMax = ThumbRange + ThumbPage - 1;
        vertical.nPage = ThumbPage;
        vertical.nPos = std::clamp(thumb_, 0, ThumbRange);
    } else {
        top_ = std::clamp(top_, 0, std::max(static_cast<int>(rowCount()) - visibleRows(), 0));
        vertical.nMax = std::max(static_cast<int>(rowCount()) - 1, 0);
        vertical.nPage = static_cast<UINT>(visibleRows());
        vertical.nPos = top_;
    }
    applyScrollInfo(SB_VERT, vertical, shownVertical_);
    SCROLLINFO across{};
    across.cbSize = sizeof across;
    across.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    int total = totalWidth();
    GetClientRect(handle(), &client);
    scrollX_ = std::clamp(scrollX_, 0, std::max<int>(total - client.right, 0));
    across.nMax = total > client.right ? total - 1 : 0;
    across.nPage = total > client.right ? static_cast<UINT>(client.right) : 0;
    across.nPos = scrollX_;
    applyScrollInfo(SB_HORZ, across, shownAcross_);
}

int32_t ListBox::columnAt(int x) const {
    int at = x + scrollX_;
    if (columns_.empty()) {
        return at >= 0 ? 1 : 0;
    }
    int left = 0;
    for (size_t i = 0; i < widths_.size(); ++i) {
        if (at >= left && at < left + widths_[i]) {
            return static_cast<int32_t>(i) + 1;
        }
        left += widths_[i];
    }
    return 0;
}

int ListBox::rowAt(int y) const {
    int header = headerHeight();
    if (y < header) {
        return -1;
    }
    int row = (y - header) / rowHeight() + (paged_ ? 0 : top_);
    return row < static_cast<int>(rowCount()) ? row : -1;
}

POINT ListBox::mouse() const {
    POINT at{};
    GetCursorPos(&at);
    if (handle() != nullptr) {
        ScreenToClient(handle(), &at);
    }
    return at;
}

std::string ListBox::cellText(size_t row, size_t column) const {
    const std::byte* bytes = rows_->row(row);
    if (bytes == nullptr) {
        return {};
    }
    auto* base = const_cast<std::byte*>(bytes); // read only: shown, never stored
    if (columns_.empty()) {
        files::Field whole{"", files::FieldType::String, 0, static_cast<uint32_t>(rows_->recordSize())};
        return std::string(text::clip(files::readText(whole, base)));
    }
    if (column < 1 || column > columns_.size()) {
        return {};
    }
    const ListColumn& format = columns_[column - 1];
    if (format.field.offset + format.field.width > rows_->recordSize()) {
        return {}; // a column that does not fit the queue's rows shows nothing
    }
    return showVariable(Variable{format.field, base}, format.picture);
}

// ---- Showing the queue again ----------------------------------------------------

void ListBox::display() {
    selected_ = std::clamp<int32_t>(selected_, 0, static_cast<int32_t>(rowCount()));
    layout();
}

// ---- Properties ---------------------------------------------------------------

Value ListBox::get(Prop prop, int32_t index) const {
    auto column = static_cast<size_t>(index);
    bool haveColumn = index >= 1 && column <= columns_.size();
    switch (prop) {
    case Prop::Choice:
        return selected_;
    case Prop::Thumb:
        return paged_ ? thumb_ : thumbOfView();
    case Prop::Items:
        return handle() == nullptr ? 0 : visibleRows();
    case Prop::Column:
        return column_;
    case Prop::Columns:
        return static_cast<int64_t>(columns_.size());
    case Prop::ColumnUnderMouse: {
        POINT at = mouse();
        RECT client{};
        GetClientRect(handle(), &client);
        return PtInRect(&client, at) ? columnAt(at.x) : 0;
    }
    case Prop::RowUnderMouse: {
        POINT at = mouse();
        RECT client{};
        GetClientRect(handle(), &client);
        return PtInRect(&client, at) ? rowAt(at.y) + 1 : 0;
    }
    case Prop::ColumnWidth:
        return haveColumn ? window().toUnitsX(columnWidth(column - 1)) : 0;
    case Prop::ColumnHeader:
        return haveColumn ? Value(columns_[column - 1].header) : Value(std::string());
    case Prop::ColumnAlign:
        return haveColumn ? static_cast<int64_t>(columns_[column - 1].align) : 0;
    case Prop::ColumnPicture:
        return haveColumn ? Value(columns_[column - 1].picture) : Value(std::string());
    case Prop::ColumnStyle:
        return haveColumn ? columns_[column - 1].style : 0;
    case Prop::ColumnColour:
        return haveColumn ? columns_[column - 1].colour : DefaultColour;
    case Prop::StyleFontStyle:
    case Prop::StyleFontColour:
    case Prop::StyleColour: {
        auto found = styles_.find(index);
        ListStyle style = found == styles_.end() ? ListStyle{} : found->second;
        return prop == Prop::StyleFontStyle    ? style.fontStyle
               : prop == Prop::StyleFontColour ? style.fontColour
                                               : style.colour;
    }
    default:
        return Control::get(prop, index);
    }
}

bool ListBox::set(Prop prop, const Value& value, int32_t index) {
    auto column = static_cast<size_t>(index);
    bool haveColumn = index >= 1 && column <= columns_.size();
    switch (prop) {
    case Prop::Choice:
        if (paged_) {
            selected_ = std::clamp<int32_t>(value.number32(), 0, static_cast<int32_t>(rowCount()));
            InvalidateRect(handle(), nullptr, FALSE);
        } else {
            selectRow(value.number32() - 1, false);
        }
        return true;
    case Prop::Thumb:
        if (paged_) {
            thumb_ = std::clamp(value.number32(), 0, ThumbRange);
            updateScrollBars();
        } else {
            int last = std::max(static_cast<int>(rowCount()) - visibleRows(), 0);
            scrollTo(static_cast<int>(static_cast<int64_t>(std::clamp(value.number32(), 0, ThumbRange)) *
                                      last / ThumbRange));
        }
        return true;
    case Prop::Column:
        column_ = std::clamp<int32_t>(value.number32(), 0,
                                      static_cast<int32_t>(std::max<size_t>(columns_.size(), 1)));
        return true;
    case Prop::ColumnWidth:
    case Prop::ColumnHeader:
    case Prop::ColumnAlign:
    case Prop::ColumnPicture:
    case Prop::ColumnStyle:
    case Prop::ColumnColour: {
        if (!haveColumn) {
            return false;
        }
        ListColumn& changed = columns_[column - 1];
        if (prop == Prop::ColumnWidth) {
            if (column - 1 < widths_.size()) {
                widths_[column - 1] = std::max(window().toPixelsX(value.number32()), 0);
            }
        } else if (prop == Prop::ColumnHeader) {
            changed.header = value.text();
        } else if (prop == Prop::ColumnAlign) {
            changed.align = alignOf(value.number());
        } else if (prop == Prop::ColumnPicture) {
            changed.picture = value.text();
        } else if (prop == Prop::ColumnStyle) {
            changed.style = std::clamp<int32_t>(value.number32(), 0, MaxListStyle);
        } else {
            changed.colour = value.number32();
        }
        showHeaderItem(column - 1);
        layout();
        return true;
    }
    case Prop::StyleFontStyle:
    case Prop::StyleFontColour:
    case Prop::StyleColour: {
        if (index < 1 || index > MaxListStyle) {
            return false;
        }
        ListStyle& style = styles_[index];
        (prop == Prop::StyleFontStyle    ? style.fontStyle
         : prop == Prop::StyleFontColour ? style.fontColour
                                         : style.colour) = value.number32();
        styleFonts_.erase(index);
        InvalidateRect(handle(), nullptr, FALSE);
        return true;
    }
    default: {
        bool changed = Control::set(prop, value, index);
        if (changed && (prop == Prop::Width || prop == Prop::Height || prop == Prop::Colour)) {
            layout();
        }
        return changed;
    }
    }
}

} // namespace runtime::ui
