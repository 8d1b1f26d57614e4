#include "msghook/alert_table.h"

#include <algorithm>
#include <unordered_map>

namespace msghook {

void AlertTable::alert(const AlertRange& range, const Hook& hook) {
    if (range.last < range.first) {
        return;
    }
    std::lock_guard lock(mutex_);
    std::unordered_map<int32_t, size_t> existing; // message -> row index, for this handle
    Procedure previous = 0;
    bool hooked = false;
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].handle == range.handle) {
            existing.emplace(rows_[i].message, i);
            previous = rows_[i].returnTo;
            hooked = true;
        }
    }
    if (!hooked) {
        previous = hook(range.handle);
    }
    // 64 bits, so a range ending at the largest message number still ends.
    for (int64_t m = range.first; m <= range.last; ++m) {
        auto message = static_cast<int32_t>(m);
        if (auto row = existing.find(message); row != existing.end()) {
            rows_[row->second].action = range.action;
        } else {
            rows_.push_back(
                {range.handle, message, range.action, previous, range.thread, range.isClientArea});
        }
        alertedMessages_.insert(message);
    }
}

void AlertTable::release(Handle handle, const Unhook& unhook) {
    std::lock_guard lock(mutex_);
    auto removed = std::stable_partition(rows_.begin(), rows_.end(),
                                         [handle](const AlertRow& row) { return row.handle != handle; });
    if (removed == rows_.end()) {
        return;
    }
    lastReleased_ = removed->returnTo;
    rows_.erase(removed, rows_.end());
    if (lastReleased_ != 0) {
        unhook(handle, lastReleased_);
    }
}

std::optional<AlertRow> AlertTable::find(Handle handle, int32_t message) const {
    std::lock_guard lock(mutex_);
    if (!alertedMessages_.contains(message)) {
        return std::nullopt;
    }
    auto found = std::find_if(rows_.rbegin(), rows_.rend(), [&](const AlertRow& row) {
        return row.message == message && row.handle == handle;
    });
    if (found == rows_.rend()) {
        return std::nullopt;
    }
    return *found;
}

std::optional<Procedure> AlertTable::previousProcedure(Handle handle) const {
    std::lock_guard lock(mutex_);
    auto found = std::find_if(rows_.begin(), rows_.end(),
                              [handle](const AlertRow& row) { return row.handle == handle; });
    if (found == rows_.end()) {
        return std::nullopt;
    }
    return found->returnTo;
}

Procedure AlertTable::lastReleasedProcedure() const {
    std::lock_guard lock(mutex_);
    return lastReleased_;
}

bool AlertTable::isAlertedAnywhere(int32_t message) const {
    std::lock_guard lock(mutex_);
    return alertedMessages_.contains(message);
}

std::vector<AlertRow> AlertTable::rows() const {
    std::lock_guard lock(mutex_);
    return rows_;
}

AlertTable& alertTable() {
    static AlertTable table;
    return table;
}

} // namespace msghook
