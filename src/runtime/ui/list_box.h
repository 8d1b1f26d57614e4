// List boxes: rows from a queue (row_queue.h) in columns (list_format.h) under
// a header, one row selected.
//
// The list holds only the rows of its queue; the program changes the queue and
// shows it again with Window::display(list). A list works in one of two ways:
//
//   plain (the default)  the queue holds every row; the list scrolls over them
//                        by itself, and the arrow and page keys, the wheel and
//                        the scroll bar move the selection and the view.
//   paged (attr::Paged)  the queue holds one page of a longer source (a browse
//                        over a file): the list never scrolls by itself.
//                        Wanting to go up or down becomes an event for the
//                        program, which refills the queue, selects a row and
//                        places the thumb:
//                          Up, wheel up, scroll bar arrow up     3 scroll up
//                          Down, wheel down, arrow down           4 scroll down
//                          PgUp, scroll bar above the thumb       5 page up
//                          PgDn, scroll bar below the thumb       6 page down
//                          Home, Ctrl+Home                        7 top
//                          End, Ctrl+End                          8 bottom
//                          dragging the thumb                     20, with the thumb
//                                                                 at Prop::Thumb (0-100)
//
// Either way a click on a row selects it and gives the new-selection event (2),
// a double click the accepted event (1) with key code 5, and Prop::Column
// becomes the column clicked. Prop::Choice is the selected row of the queue
// (1 for the first), Prop::Items the number of whole rows the list shows
// (the page size), Prop::ColumnUnderMouse and Prop::RowUnderMouse what the
// mouse is over. Columns take their colour and font style from their own
// colour or a numbered list style (Prop::StyleFontStyle, ... by style number),
// so a program can make a column look like a link.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "runtime/ui/control.h"
#include "runtime/ui/list_format.h"
#include "runtime/ui/row_queue.h"
#include "runtime/ui/shapes.h"

namespace runtime::ui {

class ListBox : public Control {
public:
    ListBox(Window& window, const ControlDefinition& definition, const Rect& area);
    ~ListBox() override;

    Value get(Prop prop, int32_t index) const override;
    bool set(Prop prop, const Value& value, int32_t index) override;
    void display() override;

    bool paged() const { return paged_; }
    size_t rowCount() const { return rows_->count(); }
    // The text of a cell as the column's picture shows it (column 1-based).
    std::string cellText(size_t row, size_t column) const;

protected:
    HWND createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) override;
    bool takesFocus() const override { return true; }
    SIZE naturalSize() const override;
    void fontChanged() override;

private:
    // list_box.cpp: the parts and their places.
    void layout();
    void updateScrollBars();
    void applyScrollInfo(int bar, const SCROLLINFO& wanted, SCROLLINFO& shown);
    void buildHeader();
    void showHeaderItem(size_t column);
    int rowHeight() const;
    int columnWidth(size_t column) const; // pixels
    int totalWidth() const;
    int headerHeight() const;
    int visibleRows() const; // whole rows
    int32_t thumbOfView() const;
    // The column (1-based) at x and the row (0-based) at y of the list's
    // window; 0 and -1 when there is none.
    int32_t columnAt(int x) const;
    int rowAt(int y) const;
    POINT mouse() const;

    // list_input.cpp: what the user does.
    std::optional<LRESULT> message(UINT message, WPARAM wParam, LPARAM lParam);
    void clicked(LPARAM where, bool twice);
    void keyPressed(WPARAM key);
    void wheel(int notches);
    void scrolled(WORD request);
    void scrolledAcross(WORD request);
    void headerNotified(NMHDR& header);
    // Moves the selection (plain lists): to row `row` (0-based), shown.
    void selectRow(int row, bool notify);
    void scrollTo(int top);
    void scrollAcross(int offset);
    void request(int32_t event);

    // list_paint.cpp: drawing.
    void paint(HDC dc, const RECT& client);
    HFONT styleFont(int32_t style);

    OwnDrawnWindow surface_;
    HWND header_ = nullptr;
    RowQueue* rows_ = nullptr;
    std::unique_ptr<RowQueue> ownRows_;
    std::vector<ListColumn> columns_;
    std::vector<int> widths_; // pixels, by column
    std::map<int32_t, ListStyle> styles_;
    std::map<int32_t, Font> styleFonts_;
    bool paged_ = false;
    int32_t selected_ = 0; // 1-based row of the queue; 0 for none
    int top_ = 0;          // plain lists: the first row shown
    int scrollX_ = 0;
    int32_t thumb_ = 0;    // paged lists: as the program or the user's drag left it
    int32_t dragged_ = -1; // paged lists: the thumb position last reported while dragging
    int32_t column_ = 0;
    bool layingOut_ = false;
    SCROLLINFO shownVertical_{}; // as last given to the system
    SCROLLINFO shownAcross_{};
    RECT headerPlace_{};
};

} // namespace runtime::ui
