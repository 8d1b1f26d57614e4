#include "runtime/ui/row_queue.h"

#include <algorithm>

namespace runtime::ui {

void RowQueue::insertRecord(size_t index, const void* record) {
    size_t at = std::min(index, count()) * size_;
    // A copy first: the record may be one of the queue's own rows, which the
    // insertion moves or reallocates.
    const auto* bytes = static_cast<const std::byte*>(record);
    std::vector<std::byte> copy(bytes, bytes + size_);
    bytes_.insert(bytes_.begin() + static_cast<std::ptrdiff_t>(at), copy.begin(), copy.end());
}

void RowQueue::remove(size_t index) {
    if (index < count()) {
        auto first = bytes_.begin() + static_cast<std::ptrdiff_t>(index * size_);
        bytes_.erase(first, first + static_cast<std::ptrdiff_t>(size_));
    }
}

void RowQueue::truncate(size_t rows) {
    if (rows < count()) {
        bytes_.resize(rows * size_);
    }
}

std::unique_ptr<RowQueue> rowsFromItems(const std::string& items) {
    auto rows = std::make_unique<RowQueue>(ItemRowSize);
    size_t start = 0;
    while (!items.empty()) {
        size_t bar = items.find('|', start);
        text::Fixed<ItemRowSize> row(
            items.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        rows->appendRecord(&row);
        if (bar == std::string::npos) {
            break;
        }
        start = bar + 1;
    }
    return rows;
}

} // namespace runtime::ui
