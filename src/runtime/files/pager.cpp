#include "runtime/files/pager.h"

#include <algorithm>
#include <atomic>

#include "runtime/files/failure.h"
#include "runtime/files/intent.h"
#include "runtime/files/page.h"
#include "runtime/sys/errors.h"

namespace runtime::files {
namespace {

// Pages a transaction keeps in memory before writing some out, beside those
// the cache of committed pages leaves unused: an open's pages share one budget.
constexpr size_t DirtyLimit = 4096;
constexpr uint32_t LongestRun = 32; // pages gathered into one write

void check(const IoError& e) {
    if (e) {
        failIo(e);
    }
}

} // namespace

Pager::Pager(FileHandle& file, size_t cachePages, std::string path) : file_(file), path_(std::move(path)) {
    cache_.resize(cachePages);
    head_ = file_.mapHead(2 * format::PageSize);
}

void Pager::loadMetas(uint8_t* bytes) {
    if (head_) {
        std::memcpy(bytes, head_ + format::MetaOffset[0], 2 * format::MetaSize);
        std::atomic_signal_fence(std::memory_order_acquire);
        return;
    }
    size_t got = 0;
    check(file_.read(format::MetaOffset[0], bytes, 2 * format::MetaSize, got));
    if (got < 2 * format::MetaSize) {
        failDriver(driver::Truncated, "The file is shorter than its header");
    }
}

bool Pager::groupCommitted(const format::Meta& meta, bool writer) {
    std::string record = intent::resolveFrom(path_, meta.intentPath);
    switch (intent::check(record, meta.group)) {
    case intent::Found::Committed:
        return true;
    case intent::Found::Absent:
        return false;
    case intent::Found::Incomplete:
        if (writer && intent::namedFor(record, meta.group)) {
            // Its writer died while writing it: the transaction never committed.
            fileSystem().remove(record);
        }
        return false;
    case intent::Found::Unreadable:
        break;
    }
    if (writer) {
        failDriver(driver::Damaged, "The intent record " + record + " cannot be read");
    }
    return false;
}

bool Pager::readMetas(format::Meta& newest, format::Meta& other, bool& otherValid, bool writer,
                      uint64_t* discarded) {
    uint8_t bytes[2 * format::MetaSize];
    loadMetas(bytes);
    format::Meta m[2];
    bool valid[2] = {false, false};
    uint64_t dropped = 0;
    // A prepared meta is read only as its intent record says; while its writer
    // lives it may become final and the record vanish between the two looks,
    // so the slots are read again until they stand still.
    for (int attempt = 0;; ++attempt) {
        bool prepared = false;
        dropped = 0;
        for (int s = 0; s < 2; ++s) {
            valid[s] = format::decodeMeta(bytes + s * format::MetaSize, m[s]) && m[s].txn % 2 == uint64_t(s);
            if (valid[s] && m[s].group) {
                prepared = true;
                if (!groupCommitted(m[s], writer)) {
                    valid[s] = false;
                    dropped = std::max(dropped, m[s].txn);
                }
            }
        }
        if (!prepared || writer || attempt == 8) {
            break;
        }
        uint8_t again[sizeof bytes];
        loadMetas(again);
        if (std::memcmp(again, bytes, sizeof bytes) == 0) {
            break;
        }
        std::memcpy(bytes, again, sizeof bytes);
    }
    if (!valid[0] && !valid[1]) {
        return false;
    }
    int n = valid[0] && (!valid[1] || m[0].txn > m[1].txn) ? 0 : 1;
    newest = m[n];
    other = m[1 - n];
    otherValid = valid[1 - n];
    if (discarded) {
        *discarded = dropped > newest.txn ? dropped : 0;
    }
    return true;
}

bool Pager::anyPrepared() {
    uint8_t bytes[2 * format::MetaSize];
    loadMetas(bytes);
    return format::get64(bytes + format::MetaGroup) ||
           format::get64(bytes + format::MetaSize + format::MetaGroup);
}

void Pager::settle() {
    if (!anyPrepared()) {
        return;
    }
    format::Meta newest, other;
    bool otherValid = false;
    uint64_t discarded = 0;
    if (!readMetas(newest, other, otherValid, true, &discarded)) {
        failDriver(driver::Damaged, "Both meta slots are damaged");
    }
    if (newest.group) {
        std::string record = intent::resolveFrom(path_, newest.intentPath);
        uint64_t group = newest.group;
        newest.group = 0;
        newest.intentPath.clear();
        writeMeta(newest);
        check(file_.sync());
        writeSyncedMark(newest.txn);
        intent::removeIfSettled(record, group);
    } else if (discarded) {
        // The state before the transaction that never committed takes its
        // number, so that its slot no longer holds the newest meta.
        newest.txn = discarded;
        writeMeta(newest);
        check(file_.sync());
    }
    committed_ = newest;
}

void Pager::refresh() {
    if (head_ && committed_.txn && !committed_.group) {
        // Nothing to decode while neither slot's number moved: a syscall-free check.
        uint64_t a = format::get64(head_ + format::MetaOffset[0] + 8);
        uint64_t b = format::get64(head_ + format::MetaOffset[1] + 8);
        std::atomic_signal_fence(std::memory_order_acquire);
        if (std::max(a, b) == committed_.txn && (committed_.txn % 2 == 0 ? a : b) == committed_.txn) {
            return;
        }
    }
    format::Meta newest, other;
    bool otherValid = false;
    if (!readMetas(newest, other, otherValid)) {
        failDriver(driver::Damaged, "Both meta slots are damaged");
    }
    committed_ = newest;
}

const uint8_t* Pager::mapped(uint32_t number) {
    // 32-bit processes keep most of their address space for other things.
    constexpr uint64_t MaxMapped = sizeof(void*) < 8 ? uint64_t{256} << 20 : uint64_t{1} << 40;
    constexpr uint64_t StretchBytes = uint64_t(StretchPages) * format::PageSize;
    size_t stretch = number / StretchPages;
    if (stretch < stretches_.size() && stretches_[stretch]) {
        return stretches_[stretch] + uint64_t(number % StretchPages) * format::PageSize;
    }
    uint64_t end = (stretch + 1) * StretchBytes;
    if ((stretch < stretchFailed_.size() && stretchFailed_[stretch]) ||
        mappedBytes_ + StretchBytes > MaxMapped || uint64_t(meta().pageCount) * format::PageSize < end) {
        return nullptr; // the file's last stretch is read page by page
    }
    if (knownSize_ < end && file_.size(knownSize_)) {
        return nullptr;
    }
    if (knownSize_ < end) {
        return nullptr;
    }
    if (stretch >= stretches_.size()) {
        stretches_.resize(stretch + 1);
        stretchFailed_.resize(stretch + 1);
    }
    stretches_[stretch] = file_.mapRange(stretch * StretchBytes, StretchBytes);
    if (!stretches_[stretch]) {
        stretchFailed_[stretch] = true;
        return nullptr;
    }
    mappedBytes_ += StretchBytes;
    return stretches_[stretch] + uint64_t(number % StretchPages) * format::PageSize;
}

PageRef Pager::freshBuffer() {
    if (spare_) {
        return std::move(spare_);
    }
    return std::make_shared_for_overwrite<PageBuf>();
}

PageRef Pager::fromDisk(uint32_t number, uint8_t tree) {
    PageRef ref = freshBuffer();
    if (const uint8_t* at = mapped(number)) {
        std::memcpy(ref->b, at, format::PageSize);
        std::atomic_signal_fence(std::memory_order_acquire);
        return page::sealed(ref->b) && page::number(ref->b) == number ? ref : nullptr;
    }
    size_t got = 0;
    check(file_.read(uint64_t(number) * format::PageSize, ref->b, format::PageSize, got));
    if (got < format::PageSize) {
        failDriver(driver::Truncated, "Page " + std::to_string(number) + " lies past the end of the file");
    }
    if (!page::sealed(ref->b) || page::number(ref->b) != number) {
        return nullptr;
    }
    (void)tree;
    return ref;
}

PageRef Pager::readRaw(uint32_t number, uint8_t tree) {
    if (number < format::FirstDataPage || number >= meta().pageCount) {
        failDamaged(tree, number, "page number out of range");
    }
    PageRef ref = fromDisk(number, tree);
    if (!ref) {
        failDamaged(tree, number, "checksum");
    }
    return ref;
}

uint32_t Pager::slotOf(uint32_t number) const {
    size_t chunk = number / IndexChunk;
    return chunk < slotIndex_.size() && slotIndex_[chunk] ? slotIndex_[chunk][number % IndexChunk] : 0;
}

void Pager::setSlot(uint32_t number, uint32_t slotPlusOne) {
    size_t chunk = number / IndexChunk;
    if (chunk >= slotIndex_.size()) {
        slotIndex_.resize(chunk + 1);
    }
    if (!slotIndex_[chunk]) {
        slotIndex_[chunk] = std::make_unique<uint32_t[]>(IndexChunk);
    }
    slotIndex_[chunk][number % IndexChunk] = slotPlusOne;
}

PageRef Pager::cached(uint32_t number, uint64_t txn) {
    uint32_t at = slotOf(number);
    if (!at) {
        return nullptr;
    }
    CacheSlot& slot = cache_[at - 1];
    if (slot.txn != txn) {
        return nullptr;
    }
    slot.used = true;
    return slot.ref;
}

void Pager::remember(uint32_t number, uint64_t txn, PageRef ref) {
    if (cache_.empty()) {
        return;
    }
    if (uint32_t at = slotOf(number)) {
        cache_[at - 1] = CacheSlot{number, txn, true, std::move(ref)};
        return;
    }
    for (;;) {
        CacheSlot& slot = cache_[hand_];
        size_t index = hand_;
        hand_ = (hand_ + 1) % cache_.size();
        if (slot.ref && slot.used) {
            slot.used = false;
            continue;
        }
        if (!slot.ref) {
            ++cachedPages_;
        } else {
            setSlot(slot.page, 0);
            if (slot.ref.use_count() == 1) {
                spare_ = std::move(slot.ref);
            }
        }
        slot = CacheSlot{number, txn, true, std::move(ref)};
        setSlot(number, static_cast<uint32_t>(index + 1));
        return;
    }
}

PageRef Pager::read(uint32_t number, uint64_t txn, uint8_t tree) {
    if (number < format::FirstDataPage || number >= meta().pageCount) {
        failDamaged(tree, number, "page number out of range");
    }
    if (writing_ && owned(number)) {
        if (Dirty* d = dirty_.find(number)) {
            d->lastUse = ++useClock_;
            return d->ref;
        }
        PageRef ref = fromDisk(number, tree);
        if (!ref || page::txn(ref->b) != work_.txn) {
            failDamaged(tree, number, "a page written by this transaction was lost");
        }
        dirty_.put(number, ref, ++useClock_);
        return ref;
    }
    if (PageRef hit = cached(number, txn)) {
        return hit;
    }
    PageRef ref = fromDisk(number, tree);
    if (!ref || page::txn(ref->b) != txn) {
        if (!writing_) {
            format::Meta newest, other;
            bool otherValid = false;
            if (readMetas(newest, other, otherValid) && newest.txn != committed_.txn) {
                throw Stale{};
            }
        }
        failDamaged(tree, number, ref ? "written by another transaction than its parent names" : "checksum");
    }
    const uint8_t* b = ref->b;
    if (page::tree(b) != tree ||
        ((page::kind(b) == format::KindLeaf || page::kind(b) == format::KindBranch) &&
         !page::wellFormed(b))) {
        failDamaged(tree, number, "malformed page");
    }
    remember(number, txn, ref);
    return ref;
}

void Pager::begin() {
    refresh();
    settle();
    work_ = committed_;
    work_.group = 0;
    work_.intentPath.clear();
    work_.txn = committed_.txn + 1;
    writing_ = true;
    startPageCount_ = work_.pageCount;
    dirty_.clear();
    disown();
    freeNow_.clear();
    freeLater_.clear();
    chainNext_ = work_.freeHead;
    chainNextTxn_ = work_.freeHeadTxn;
    chainRemaining_ = work_.freeCount;
    freeNow_ = work_.freeInline;
    arrangeFree();
    try {
        if (chainNext_) {
            loadFreeChainPage();
        }
    } catch (...) {
        writing_ = false;
        throw;
    }
}

void Pager::beginRebuild(std::vector<uint32_t> freeAfter) {
    refresh();
    work_ = committed_;
    work_.txn = committed_.txn + 1;
    writing_ = true;
    startPageCount_ = work_.pageCount;
    dirty_.clear();
    disown();
    freeNow_.clear();
    freeLater_ = std::move(freeAfter);
    chainNext_ = 0;
    chainNextTxn_ = 0;
    chainRemaining_ = 0;
}

void Pager::loadFreeChainPage() {
    uint32_t number = chainNext_;
    PageRef ref =
        chainNextTxn_ ? read(number, chainNextTxn_, format::TreeNone) : readRaw(number, format::TreeNone);
    const uint8_t* b = ref->b;
    uint32_t n = page::count(b);
    if (page::kind(b) != format::KindFreeList || n > format::FreeListCapacity || n > chainRemaining_) {
        failDamaged(format::TreeNone, number, "free list");
    }
    for (uint32_t i = 0; i < n; ++i) {
        uint32_t free = format::get32(b + format::PageHeaderSize + 4 * i);
        if (free < format::FirstDataPage || free >= work_.pageCount) {
            failDamaged(format::TreeNone, number, "free list names a page out of range");
        }
        freeNow_.push_back(free);
    }
    arrangeFree();
    chainRemaining_ -= n;
    freeLater_.push_back(number);
    chainNext_ = page::next(b);
    chainNextTxn_ = 0;
}

void Pager::arrangeFree() {
    // Lowest numbers first, and first of all the lowest run of free pages long
    // enough for a small change: a transaction's pages then lie side by side
    // and go out in one write, and the pages it frees form such a run again.
    std::sort(freeNow_.begin(), freeNow_.end(), std::greater<>());
    constexpr size_t RunWanted = 4;
    for (size_t end = freeNow_.size(); end >= RunWanted;) {
        size_t start = end - 1;
        while (start > 0 && freeNow_[start - 1] == freeNow_[start] + 1) {
            --start;
        }
        if (end - start >= RunWanted) {
            std::rotate(freeNow_.begin() + static_cast<std::ptrdiff_t>(start),
                        freeNow_.begin() + static_cast<std::ptrdiff_t>(end), freeNow_.end());
            break;
        }
        end = start;
    }
}

PageBuf& Pager::allocate(uint32_t& number, uint8_t kind, uint8_t tree, uint16_t level) {
    while (freeNow_.empty() && chainNext_) {
        loadFreeChainPage();
    }
    if (!freeNow_.empty()) {
        number = freeNow_.back();
        freeNow_.pop_back();
    } else {
        if (work_.pageCount >= format::MaxPages) {
            failDriver(driver::TooLarge, "The file has reached its largest size");
        }
        number = work_.pageCount++;
    }
    own(number);
    PageRef ref = freshBuffer();
    page::init(ref->b, number, work_.txn, kind, tree, level);
    dirty_.put(number, ref, ++useClock_);
    return *ref;
}

PageBuf& Pager::writable(uint32_t& number, uint64_t txn, uint8_t tree) {
    if (owned(number)) {
        return *read(number, work_.txn, tree);
    }
    PageRef source = read(number, txn, tree);
    uint32_t old = number;
    PageBuf& copy = allocate(number, page::kind(source->b), tree, page::level(source->b));
    std::memcpy(copy.b + 8, source->b + 8, format::PageSize - 8);
    format::put64(copy.b + 8, work_.txn);
    format::put32(copy.b + 16, number);
    freeLater_.push_back(old);
    return copy;
}

void Pager::own(uint32_t number) {
    if (number / 64 >= ownedBits_.size()) {
        ownedBits_.resize(number / 64 + 1);
    }
    ownedBits_[number / 64] |= uint64_t{1} << (number % 64);
    ownedList_.push_back(number);
}

void Pager::disown() {
    for (uint32_t number : ownedList_) {
        ownedBits_[number / 64] = 0;
    }
    ownedList_.clear();
}

void Pager::release(uint32_t number) {
    if (owned(number)) {
        ownedBits_[number / 64] &= ~(uint64_t{1} << (number % 64));
        dirty_.erase(number);
        freeNow_.push_back(number);
    } else {
        freeLater_.push_back(number);
    }
}

void Pager::writeOut(const std::vector<uint32_t>& pages) {
    std::vector<uint8_t> run;
    size_t i = 0;
    while (i < pages.size()) {
        size_t j = i + 1;
        while (j < pages.size() && j - i < LongestRun && pages[j] == pages[j - 1] + 1) {
            ++j;
        }
        if (j - i == 1) {
            uint8_t* b = dirty_.find(pages[i])->ref->b;
            page::seal(b);
            check(file_.write(uint64_t(pages[i]) * format::PageSize, b, format::PageSize));
            i = j;
            continue;
        }
        run.resize((j - i) * format::PageSize);
        for (size_t k = i; k < j; ++k) {
            uint8_t* b = dirty_.find(pages[k])->ref->b;
            page::seal(b);
            std::memcpy(run.data() + (k - i) * format::PageSize, b, format::PageSize);
        }
        check(file_.write(uint64_t(pages[i]) * format::PageSize, run.data(), run.size()));
        i = j;
    }
}

void Pager::spillIfLarge() {
    if (!writing_ || dirty_.size() <= DirtyLimit + (cache_.size() - cachedPages_)) {
        return;
    }
    std::vector<std::pair<uint64_t, uint32_t>> byAge;
    byAge.reserve(dirty_.size());
    for (const Dirty& d : dirty_.entries()) {
        byAge.emplace_back(d.lastUse, d.page);
    }
    std::sort(byAge.begin(), byAge.end());
    std::vector<uint32_t> out;
    for (size_t i = 0; i < byAge.size() / 2; ++i) {
        out.push_back(byAge[i].second);
    }
    std::sort(out.begin(), out.end());
    writeOut(out);
    for (uint32_t number : out) {
        dirty_.erase(number);
    }
}

void Pager::writeFreeList() {
    if (freeNow_.size() + freeLater_.size() <= format::inlineFreeRoom(work_.keyCount)) {
        work_.freeInline = freeNow_;
        work_.freeInline.insert(work_.freeInline.end(), freeLater_.begin(), freeLater_.end());
        work_.freeHead = chainNext_;
        work_.freeHeadTxn = chainNextTxn_;
        work_.freeCount = chainRemaining_;
        return;
    }
    work_.freeInline.clear();
    std::vector<uint32_t> chain;
    auto needed = [&] {
        size_t total = freeNow_.size() + freeLater_.size();
        return (total + format::FreeListCapacity - 1) / format::FreeListCapacity;
    };
    while (chain.size() < needed()) {
        uint32_t number = 0;
        allocate(number, format::KindFreeList, format::TreeNone, 0);
        chain.push_back(number);
    }
    std::vector<uint32_t> entries = freeNow_;
    entries.insert(entries.end(), freeLater_.begin(), freeLater_.end());
    size_t at = 0;
    for (size_t c = 0; c < chain.size(); ++c) {
        uint8_t* b = dirty_.find(chain[c])->ref->b;
        uint32_t n = static_cast<uint32_t>(std::min<size_t>(format::FreeListCapacity, entries.size() - at));
        for (uint32_t i = 0; i < n; ++i) {
            format::put32(b + format::PageHeaderSize + 4 * i, entries[at++]);
        }
        page::setCount(b, n);
        page::setNext(b, c + 1 < chain.size() ? chain[c + 1] : chainNext_);
    }
    work_.freeHead = chain.empty() ? chainNext_ : chain.front();
    work_.freeHeadTxn = chain.empty() ? chainNextTxn_ : work_.txn;
    work_.freeCount = static_cast<uint32_t>(entries.size()) + chainRemaining_;
}

void Pager::writePages() {
    writeFreeList();
    std::vector<uint32_t> pages;
    pages.reserve(dirty_.size());
    for (const Dirty& d : dirty_.entries()) {
        pages.push_back(d.page);
    }
    std::sort(pages.begin(), pages.end());
    writeOut(pages);
    if (work_.pageCount > startPageCount_) {
        uint64_t size = 0;
        check(file_.size(size));
        uint64_t wanted = uint64_t(work_.pageCount) * format::PageSize;
        if (size < wanted) {
            check(file_.truncate(wanted));
        }
    }
}

void Pager::install() {
    for (Dirty& d : dirty_.entries()) {
        remember(d.page, work_.txn, std::move(d.ref));
    }
    committed_ = work_;
    writing_ = false;
    dirty_.clear();
    disown();
    freeNow_.clear();
    freeLater_.clear();
}

void Pager::commit(bool durable) {
    try {
        writePages();
        writeMeta(work_); // I1: after every page it points at
        if (durable) {
            check(file_.sync());
            writeSyncedMark(work_.txn); // I5
        }
    } catch (...) {
        rollback();
        throw;
    }
    install();
}

void Pager::prepare(bool durable, uint64_t group, const std::string& intentPath) {
    try {
        writePages();
        format::Meta prepared = work_;
        prepared.group = group;
        prepared.intentPath = intentPath;
        writeMeta(prepared); // I1, and I7: it counts only with its intent record
        if (durable) {
            check(file_.sync());
        }
    } catch (...) {
        rollback();
        throw;
    }
}

void Pager::finish(bool durable) {
    try {
        writeMeta(work_);
        if (durable) {
            check(file_.sync());
            writeSyncedMark(work_.txn);
        }
    } catch (...) {
        install(); // committed all the same: the prepared meta counts while its record stays
        throw;
    }
    install();
}

void Pager::rollback() {
    writing_ = false;
    dirty_.clear();
    disown();
    freeNow_.clear();
    freeLater_.clear();
}

void Pager::writeMeta(const format::Meta& meta) {
    uint8_t bytes[format::MetaSize];
    format::encodeMeta(meta, bytes);
    check(file_.write(format::MetaOffset[meta.txn % 2], bytes, sizeof bytes));
}

void Pager::writeSyncedMark(uint64_t txn) {
    uint8_t bytes[8];
    format::put64(bytes, txn);
    check(file_.write(format::HeaderSyncedMark, bytes, sizeof bytes));
}

bool Pager::transactionIntact(const format::Meta& m) {
    const uint64_t n = m.txn;
    uint32_t visited = 0;
    // Walks the pages this transaction wrote: they hang together from the roots.
    auto walk = [&](auto& self, uint32_t number, uint8_t tree, uint32_t depth) -> bool {
        if (++visited > m.pageCount || depth > format::MaxLevels || number < format::FirstDataPage ||
            number >= m.pageCount) {
            return false;
        }
        PageRef ref = fromDisk(number, tree);
        if (!ref || page::txn(ref->b) != n || !page::wellFormed(ref->b)) {
            return false;
        }
        const uint8_t* b = ref->b;
        for (uint32_t i = 0; i < page::count(b); ++i) {
            if (page::kind(b) == format::KindBranch) {
                page::Entry e = page::branch(b, i);
                if (e.childTxn == n && !self(self, e.child, tree, depth + 1)) {
                    return false;
                }
            } else if (page::leaf(b, i).overflow) {
                page::Entry e = page::leaf(b, i);
                uint32_t chainPage = format::get32(e.value + 4);
                if (format::get64(e.value + 8) != n) {
                    continue;
                }
                for (uint32_t hops = 0; chainPage; ++hops) {
                    PageRef o = chainPage < m.pageCount && chainPage >= format::FirstDataPage
                                    ? fromDisk(chainPage, tree)
                                    : nullptr;
                    if (!o || page::txn(o->b) != n || hops > m.pageCount) {
                        return false;
                    }
                    chainPage = page::next(o->b);
                }
            }
        }
        return true;
    };
    if (m.recordsRoot && m.recordsRootTxn == n && !walk(walk, m.recordsRoot, format::TreeRecords, 0)) {
        return false;
    }
    for (uint32_t k = 0; k < m.keyCount; ++k) {
        if (m.keys[k].page && m.keys[k].txn == n &&
            !walk(walk, m.keys[k].page, static_cast<uint8_t>(k + 1), 0)) {
            return false;
        }
    }
    for (uint32_t number = m.freeHead, hops = 0; number; ++hops) {
        if (number >= m.pageCount || number < format::FirstDataPage || hops > m.pageCount) {
            return false;
        }
        PageRef ref = fromDisk(number, format::TreeNone);
        if (!ref) {
            return false;
        }
        if (page::txn(ref->b) != n) {
            break; // an older page of the chain, synced by an earlier commit
        }
        number = page::next(ref->b);
    }
    return true;
}

void Pager::checkNewest(bool canWrite) {
    if (canWrite) {
        settle();
    }
    uint8_t mark[8];
    size_t got = 0;
    check(file_.read(format::HeaderSyncedMark, mark, sizeof mark, got));
    format::Meta newest, other;
    bool otherValid = false;
    if (!readMetas(newest, other, otherValid)) {
        failDriver(driver::Damaged, "Both meta slots are damaged");
    }
    if (got == sizeof mark && format::get64(mark) == newest.txn) {
        committed_ = newest;
        return;
    }
    uint64_t size = 0;
    check(file_.size(size));
    if (size < uint64_t(newest.pageCount) * format::PageSize || !transactionIntact(newest)) {
        if (!otherValid || other.txn + 1 != newest.txn) {
            failDriver(driver::Damaged, "The last transaction is incomplete and no earlier state is left");
        }
        // Power was lost before the last commit reached the disk: the one before
        // it stands, relabelled so that the damaged slot is no longer the newest.
        other.txn = newest.txn;
        writeMeta(other);
        check(file_.sync());
        committed_ = other;
        return;
    }
    if (canWrite) {
        check(file_.sync());
        writeSyncedMark(newest.txn);
    }
    committed_ = newest;
}

} // namespace runtime::files
