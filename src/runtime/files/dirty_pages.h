// The pages a write transaction holds in memory, found by page number without
// hashing: a bulk insert looks one up for every page of every path it walks.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "runtime/files/format.h"

namespace runtime::files {

struct PageBuf {
    alignas(16) uint8_t b[format::PageSize];
};
using PageRef = std::shared_ptr<PageBuf>;

struct Dirty {
    uint32_t page = 0;
    PageRef ref;
    uint64_t lastUse = 0;
};

class DirtyPages {
public:
    Dirty* find(uint32_t page) {
        uint32_t at = indexOf(page);
        return at ? &entries_[at - 1] : nullptr;
    }
    void put(uint32_t page, PageRef ref, uint64_t lastUse) {
        if (Dirty* d = find(page)) {
            d->ref = std::move(ref);
            d->lastUse = lastUse;
            return;
        }
        entries_.push_back(Dirty{page, std::move(ref), lastUse});
        setIndex(page, static_cast<uint32_t>(entries_.size()));
    }
    void erase(uint32_t page) {
        uint32_t at = indexOf(page);
        if (!at) {
            return;
        }
        if (at != entries_.size()) {
            entries_[at - 1] = std::move(entries_.back());
            setIndex(entries_[at - 1].page, at);
        }
        entries_.pop_back();
        setIndex(page, 0);
    }
    void clear() {
        for (const Dirty& d : entries_) {
            setIndex(d.page, 0);
        }
        entries_.clear();
    }
    size_t size() const { return entries_.size(); }
    std::vector<Dirty>& entries() { return entries_; }

private:
    static constexpr uint32_t Chunk = 512;
    uint32_t indexOf(uint32_t page) const {
        size_t c = page / Chunk;
        return c < index_.size() && index_[c] ? index_[c][page % Chunk] : 0;
    }
    void setIndex(uint32_t page, uint32_t at) {
        size_t c = page / Chunk;
        if (c >= index_.size()) {
            index_.resize(c + 1);
        }
        if (!index_[c]) {
            index_[c] = std::make_unique<uint32_t[]>(Chunk);
        }
        index_[c][page % Chunk] = at;
    }

    std::vector<Dirty> entries_;
    std::vector<std::unique_ptr<uint32_t[]>> index_; // page -> position in entries_ plus one
};

} // namespace runtime::files
