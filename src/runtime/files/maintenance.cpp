// KeyedFile maintenance: verification of a whole file and rebuilding keys.
#include <algorithm>
#include <numeric>

#include "runtime/files/keyed_file.h"
#include "runtime/files/keyed_file_run.h"

namespace runtime::files {
namespace {

// Every key entry of one key, fixed width, in one flat buffer.
struct Entries {
    size_t width = 0;
    std::vector<uint8_t> bytes;
    size_t size() const { return width ? bytes.size() / width : 0; }
    const uint8_t* at(size_t i) const { return bytes.data() + i * width; }
    void sort() {
        std::vector<size_t> order(size());
        std::iota(order.begin(), order.end(), size_t{0});
        std::sort(order.begin(), order.end(),
                  [&](size_t a, size_t b) { return std::memcmp(at(a), at(b), width) < 0; });
        std::vector<uint8_t> sorted(bytes.size());
        for (size_t i = 0; i < order.size(); ++i) {
            std::memcpy(sorted.data() + i * width, at(order[i]), width);
        }
        bytes.swap(sorted);
    }
};

class Walker {
public:
    Walker(Pager& pager, uint32_t pageCount) : pager_(pager), used_(pageCount, false) {}

    // Marks a page as used; false when it already was (or is out of range).
    bool mark(uint32_t page) {
        if (page < format::FirstDataPage || page >= used_.size() || used_[page]) {
            return false;
        }
        used_[page] = true;
        return true;
    }

    // Visits the leaf entries of a tree in order, checking structure, levels
    // and the bounds each parent sets. Throws Failure on damage.
    template <typename Visit>
    void walk(uint8_t tree, uint32_t root, uint64_t txn, Visit&& visit) {
        if (root) {
            walkPage(tree, root, txn, -1, nullptr, 0, nullptr, 0, visit);
        }
    }

    std::vector<bool>& used() { return used_; }

private:
    template <typename Visit>
    void walkPage(uint8_t tree, uint32_t number, uint64_t txn, int level, const uint8_t* low,
                  uint32_t lowLength, const uint8_t* high, uint32_t highLength, Visit& visit) {
        if (!mark(number)) {
            failDamaged(tree, number, "page used twice");
        }
        PageRef ref = pager_.read(number, txn, tree);
        const uint8_t* b = ref->b;
        if (level >= 0 && page::level(b) != level) {
            failDamaged(tree, number, "level does not follow its parent");
        }
        uint32_t n = page::count(b);
        for (uint32_t i = 0; i < n; ++i) {
            page::Entry e = page::kind(b) == format::KindLeaf ? page::leaf(b, i) : page::branch(b, i);
            bool keyed = page::kind(b) == format::KindLeaf || i > 0;
            if (keyed && ((low && page::compare(e.key, e.keyLength, low, lowLength) < 0) ||
                          (high && page::compare(e.key, e.keyLength, high, highLength) >= 0))) {
                failDamaged(tree, number, "key outside the range its parent gives");
            }
            if (page::kind(b) == format::KindLeaf) {
                visit(e, number);
                continue;
            }
            const uint8_t* childLow = i > 0 ? e.key : low;
            uint32_t childLowLength = i > 0 ? e.keyLength : lowLength;
            const uint8_t* childHigh = high;
            uint32_t childHighLength = highLength;
            if (i + 1 < n) {
                page::Entry f = page::branch(b, i + 1);
                childHigh = f.key;
                childHighLength = f.keyLength;
            }
            walkPage(tree, e.child, e.childTxn, page::level(b) - 1, childLow, childLowLength, childHigh,
                     childHighLength, visit);
        }
    }

    Pager& pager_;
    std::vector<bool> used_;
};

} // namespace

bool KeyedFile::verifyLocked() {
    try {
        const format::Meta m = pager_->meta();
        Walker walker(*pager_, m.pageCount);
        size_t keys = decl_.keys.size();
        std::vector<Entries> expected(keys);
        for (size_t k = 0; k < keys; ++k) {
            expected[k].width = keyWidth(decl_, decl_.keys[k]) + 4;
        }
        uint64_t records = 0;
        uint32_t lastRid = 0;
        std::vector<uint8_t> value;
        walker.walk(
            format::TreeRecords, m.recordsRoot, m.recordsRootTxn, [&](const page::Entry& e, uint32_t at) {
                if (e.keyLength != 4) {
                    failDamaged(format::TreeRecords, at, "record key");
                }
                uint32_t rid = format::getBig32(e.key);
                if (rid == 0 || rid >= m.nextRid || rid <= lastRid) {
                    failDamaged(format::TreeRecords, at, "record id");
                }
                lastRid = rid;
                if (e.overflow) {
                    uint32_t next = format::get32(e.value + 4);
                    uint64_t txn = format::get64(e.value + 8);
                    for (uint32_t hops = 0; next; ++hops) {
                        if (!walker.mark(next)) {
                            failDamaged(format::TreeRecords, next, "overflow page used twice");
                        }
                        PageRef o = pager_->read(next, txn, format::TreeRecords);
                        if (page::kind(o->b) != format::KindOverflow) {
                            failDamaged(format::TreeRecords, next, "overflow chain");
                        }
                        next = page::next(o->b);
                    }
                }
                if (!readRecord(rid, value, nullptr)) {
                    failDamaged(format::TreeRecords, at, "record lost");
                }
                size_t pos = 8 + decl_.recordSize;
                for (const MemoDecl& memo : decl_.memos) {
                    uint32_t n = value.size() - pos >= 4 ? format::get32(value.data() + pos) : UINT32_MAX;
                    if (n > memo.maxSize || value.size() - pos - 4 < n) {
                        failDamaged(format::TreeRecords, at, "memo");
                    }
                    pos += 4 + n;
                }
                if (pos != value.size()) {
                    failDamaged(format::TreeRecords, at, "record length");
                }
                for (size_t k = 0; k < keys; ++k) {
                    std::vector<uint8_t> entry = keyEntry(k, value.data() + 8, rid);
                    expected[k].bytes.insert(expected[k].bytes.end(), entry.begin(), entry.end());
                }
                ++records;
            });
        if (records != m.records) {
            failDriver(driver::Damaged, "The record count does not match the records");
        }
        for (size_t k = 0; k < keys; ++k) {
            uint8_t id = static_cast<uint8_t>(k + 1);
            expected[k].sort();
            if (m.keys[k].entries != expected[k].size()) {
                fail(err::KeysMustBeRebuilt);
            }
            size_t i = 0;
            walker.walk(id, m.keys[k].page, m.keys[k].txn, [&](const page::Entry& e, uint32_t at) {
                if (i >= expected[k].size() || e.keyLength != expected[k].width ||
                    std::memcmp(e.key, expected[k].at(i), expected[k].width) != 0) {
                    failDamaged(id, at, "key entry does not match its record");
                }
                ++i;
            });
            if (i != expected[k].size()) {
                fail(err::KeysMustBeRebuilt);
            }
        }
        for (uint32_t number : m.freeInline) {
            if (!walker.mark(number)) {
                failDriver(driver::Damaged, "A free page is also in use");
            }
        }
        uint32_t free = 0;
        for (uint32_t number = m.freeHead; number;) {
            if (!walker.mark(number)) {
                failDriver(driver::Damaged, "Free list page used twice");
            }
            PageRef ref = pager_->readRaw(number, format::TreeNone);
            if (page::kind(ref->b) != format::KindFreeList ||
                page::count(ref->b) > format::FreeListCapacity) {
                failDriver(driver::Damaged, "Damaged free list");
            }
            for (uint32_t i = 0; i < page::count(ref->b); ++i) {
                if (!walker.mark(format::get32(ref->b + format::PageHeaderSize + 4 * i))) {
                    failDriver(driver::Damaged, "A free page is also in use");
                }
                ++free;
            }
            number = page::next(ref->b);
        }
        if (free != m.freeCount) {
            failDriver(driver::Damaged, "The free page count does not match the free list");
        }
        for (uint32_t p = format::FirstDataPage; p < m.pageCount; ++p) {
            if (!walker.used()[p]) {
                failDriver(driver::Damaged, "Page " + std::to_string(p) + " is lost");
            }
        }
        return true;
    } catch (const Failure& f) {
        report(f.code, f.systemCode, f.text);
        return false;
    }
}

bool KeyedFile::verify() {
    return run([&] { return verifyLocked(); });
}

void KeyedFile::rebuildLocked() {
    lockWriter(std::max(recoverSeconds_, 10));
    try {
        pager_->refresh();
        const format::Meta m = pager_->meta();
        Walker walker(*pager_, m.pageCount);
        size_t keys = decl_.keys.size();
        std::vector<Entries> entries(keys);
        for (size_t k = 0; k < keys; ++k) {
            entries[k].width = keyWidth(decl_, decl_.keys[k]) + 4;
        }
        std::vector<uint8_t> value;
        uint64_t records = 0;
        walker.walk(format::TreeRecords, m.recordsRoot, m.recordsRootTxn,
                    [&](const page::Entry& e, uint32_t at) {
                        if (e.keyLength != 4) {
                            failDamaged(format::TreeRecords, at, "record key");
                        }
                        uint32_t rid = format::getBig32(e.key);
                        if (e.overflow) {
                            uint32_t next = format::get32(e.value + 4);
                            for (uint32_t hops = 0; next && hops <= m.pageCount; ++hops) {
                                walker.mark(next);
                                next = page::next(
                                    pager_->read(next, format::get64(e.value + 8), format::TreeRecords)->b);
                            }
                        }
                        if (!readRecord(rid, value, nullptr)) {
                            failDamaged(format::TreeRecords, at, "record lost");
                        }
                        for (size_t k = 0; k < keys; ++k) {
                            std::vector<uint8_t> entry = keyEntry(k, value.data() + 8, rid);
                            entries[k].bytes.insert(entries[k].bytes.end(), entry.begin(), entry.end());
                        }
                        ++records;
                    });
        std::vector<uint32_t> freeAfter;
        for (uint32_t p = format::FirstDataPage; p < m.pageCount; ++p) {
            if (!walker.used()[p]) {
                freeAfter.push_back(p);
            }
        }
        pager_->beginRebuild(std::move(freeAfter));
        format::Meta& w = pager_->work();
        w.records = records;
        for (size_t k = 0; k < keys; ++k) {
            entries[k].sort();
            uint8_t id = static_cast<uint8_t>(k + 1);
            // Leaves packed to about nine tenths, then the branch levels above them.
            std::vector<std::pair<std::vector<uint8_t>, uint32_t>> level;
            uint32_t leafPage = 0;
            uint8_t* leaf = nullptr;
            for (size_t i = 0; i < entries[k].size(); ++i) {
                uint32_t size = page::leafEntrySize(static_cast<uint32_t>(entries[k].width), 0) + 2;
                if (!leaf || page::freeSpace(leaf) < size + format::PageSize / 10) {
                    leaf = pager_->allocate(leafPage, format::KindLeaf, id, 0).b;
                    level.emplace_back(
                        std::vector<uint8_t>(entries[k].at(i), entries[k].at(i) + entries[k].width),
                        leafPage);
                }
                page::insertLeaf(leaf, page::count(leaf), entries[k].at(i),
                                 static_cast<uint32_t>(entries[k].width), nullptr, 0, false);
            }
            uint16_t height = 0;
            while (level.size() > 1) {
                ++height;
                std::vector<std::pair<std::vector<uint8_t>, uint32_t>> up;
                uint32_t branchPage = 0;
                uint8_t* branch = nullptr;
                for (auto& [first, child] : level) {
                    uint32_t size = page::branchEntrySize(static_cast<uint32_t>(first.size())) + 2;
                    if (!branch || page::freeSpace(branch) < size + format::PageSize / 10) {
                        branch = pager_->allocate(branchPage, format::KindBranch, id, height).b;
                        up.emplace_back(first, branchPage);
                        page::insertBranch(branch, 0, nullptr, 0, child, pager_->txn());
                        continue;
                    }
                    page::insertBranch(branch, page::count(branch), first.data(),
                                       static_cast<uint32_t>(first.size()), child, pager_->txn());
                }
                level.swap(up);
            }
            w.keys[k].page = level.empty() ? 0 : level.front().second;
            w.keys[k].txn = level.empty() ? 0 : pager_->txn();
            w.keys[k].entries = entries[k].size();
            pager_->spillIfLarge();
        }
        pager_->commit(true);
    } catch (...) {
        if (pager_->writing()) {
            pager_->rollback();
        }
        unlockWriter();
        throw;
    }
    unlockWriter();
    ++generation_;
}

bool KeyedFile::buildKeys() {
    return run(
        [&] {
            if (pager_) {
                checkWriteAccess();
                if (pager_->writing()) {
                    failDriver(driver::BadOption, "Keys cannot be rebuilt inside a transaction");
                }
                rebuildLocked();
                return true;
            }
            openLocked(mode::ReadWrite | mode::DenyAll, false);
            try {
                rebuildLocked();
            } catch (...) {
                closeLocked();
                throw;
            }
            closeLocked();
            return true;
        },
        false);
}

} // namespace runtime::files
