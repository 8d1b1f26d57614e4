#include "help/tipwindow/tip_history.h"

#include <algorithm>

namespace help {

bool TipHistory::atPosition(const TipKey& key) const {
    if (position_ == 0 || position_ > rows_.size()) {
        return false;
    }
    const HistoryRow& at = row(position_);
    return at.PROCEDURENAME == key.procedure && at.CONTROLNAME == key.control && at.CONTROLTYPE == key.type;
}

void TipHistory::add(const TipKey& key) {
    HistoryRow added;
    added.PROCEDURENAME = key.procedure.view();
    added.CONTROLNAME = key.control.view();
    added.CONTROLTYPE = key.type.view();
    rows_.push_back(added);
    position_ = rows_.size();
}

TipKey TipHistory::keyAt(size_t number) const {
    const HistoryRow& at = row(number);
    return tipKey(at.PROCEDURENAME.view(), at.CONTROLNAME.view(), at.CONTROLTYPE.view());
}

void TipHistory::followLink(const TipKey& current) {
    rows_.resize(std::min(rows_.size(), position_));
    if (!atPosition(current)) {
        add(current);
    }
    position_ = rows_.size();
}

std::optional<TipKey> TipHistory::back(const TipKey& current) {
    if (rows_.empty()) {
        return std::nullopt;
    }
    if (!atPosition(current)) {
        add(current);
    }
    if (position_ < 2) {
        return std::nullopt;
    }
    --position_;
    return keyAt(position_);
}

std::optional<TipKey> TipHistory::forward() {
    if (position_ >= rows_.size()) {
        return std::nullopt;
    }
    ++position_;
    return keyAt(position_);
}

ArrowButtons TipHistory::arrows() const {
    if (rows_.empty()) {
        return {};
    }
    return {true, rows_.size() < 2 || position_ >= 2, position_ < rows_.size()};
}

void TipHistory::clear() {
    rows_.clear();
    position_ = 0;
}

} // namespace help
