// Pages a paged list box (attr::Paged) through a source of generated rows,
// the way a browse pages through a file: the list's queue holds one page,
// and every scrolling event of the list (3 to 8, and 20 with the thumb)
// moves the page or the selection, refills the queue and places the thumb.
// Moving the page reads only the rows of the new page, so paging costs the
// same whatever the size of the source.
#pragma once

#include <cstddef>
#include <cstdint>

#include "generated_rows.h"
#include "runtime/ui/row_queue.h"
#include "runtime/ui/window.h"

namespace gallery {

class ListPager {
public:
    ListPager(runtime::ui::Window& window, int32_t list, runtime::ui::Queue<Customer>& rows,
              const GeneratedRows& source);

    // Shows the first page with its first row selected.
    void reset();
    // Shows the page that starts at row `first` (0-based), selecting its first row.
    void showFrom(size_t first);
    // Handles a scrolling event of the list (the window's current event);
    // false for any other event.
    bool take(int32_t event);
    // After the user selected another row of the page.
    void selectionChanged();
    // The row of the source (0-based) that is selected.
    size_t selectedRow() const { return first_ + (selected_ > 0 ? selected_ - 1 : 0); }
    size_t firstShown() const { return first_; }

private:
    size_t pageSize() const;
    size_t lastFirst() const;
    void show();

    runtime::ui::Window& window_;
    int32_t list_;
    runtime::ui::Queue<Customer>& rows_;
    const GeneratedRows& source_;
    size_t first_ = 0;
    size_t selected_ = 1; // 1-based on the page
};

} // namespace gallery
