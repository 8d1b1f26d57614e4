// The tips visited in one tip window, for its back and forward buttons.
//
// Rows are numbered from 1; the position is the row of the tip being shown,
// or the last row the window came from, 0 while there are none. Following a
// tip link drops every row after the position and makes sure the tip being
// left is the last row; going back first adds the tip being shown when it is
// not the row at the position, so that forward can return to it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "help/store/tip_record.h"
#include "runtime/text/fields.h"

namespace help {

struct HistoryRow {
    Fixed<80> PROCEDURENAME;
    Fixed<80> CONTROLNAME;
    Fixed<80> CONTROLTYPE;
};

// What the arrow buttons show for a history.
struct ArrowButtons {
    bool backShown = false;
    bool backEnabled = false;
    bool forwardShown = false;
};

class TipHistory {
public:
    size_t size() const { return rows_.size(); }
    size_t position() const { return position_; }
    const HistoryRow& row(size_t number) const { return rows_[number - 1]; }

    // A tip link leads away from `current`.
    void followLink(const TipKey& current);
    // The tip the back button leads to from `current`; nothing when there is
    // no row before the position.
    std::optional<TipKey> back(const TipKey& current);
    // The tip the forward button leads to; nothing at the last row.
    std::optional<TipKey> forward();

    ArrowButtons arrows() const;
    void clear();

private:
    bool atPosition(const TipKey& key) const;
    void add(const TipKey& key);
    TipKey keyAt(size_t number) const;

    std::vector<HistoryRow> rows_;
    size_t position_ = 0;
};

} // namespace help
