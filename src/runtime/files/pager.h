// Pages of one open keyed file: the committed state read from the meta slots,
// a cache of committed pages, and the one write transaction an open may have
// (copy-on-write pages, the free list, commit and rollback).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/files/dirty_pages.h"
#include "runtime/files/format.h"
#include "runtime/files/io.h"

namespace runtime::files {

class Pager {
public:
    // `path` is the file's absolute path, from which intent records are found.
    Pager(FileHandle& file, size_t cachePages, std::string path);

    // Reads the newest committed meta (outside a write transaction). Throws on
    // a file whose metas are both damaged.
    void refresh();
    // At open, holding the writer lock: when the newest meta is not marked
    // synced, checks every page its transaction wrote; if one is missing, the
    // previous meta becomes current. With `canWrite` the outcome is recorded.
    void checkNewest(bool canWrite);
    // The state reads see: the transaction's own while one is open.
    const format::Meta& meta() const { return writing_ ? work_ : committed_; }
    format::Meta& work() { return work_; }
    uint64_t committedTxn() const { return committed_.txn; }

    // A page the caller expects to belong to `tree` and to have been written by
    // transaction `txn`; throws Failure when it does not (damage).
    PageRef read(uint32_t page, uint64_t txn, uint8_t tree);
    // A page read straight from disk with only its checksum and number checked
    // (free list, overflow chains, verification).
    PageRef readRaw(uint32_t page, uint8_t tree);

    // Write transactions. The caller holds the writer lock.
    void begin();
    // Begins a transaction that rebuilds the free list from scratch: nothing is
    // free now, and `freeAfter` (every page the new state will not use) is free
    // once it commits.
    void beginRebuild(std::vector<uint32_t> freeAfter);
    bool writing() const { return writing_; }
    uint64_t txn() const { return work_.txn; }
    // A writable copy of the page; `page` becomes its new number when it moved.
    PageBuf& writable(uint32_t& page, uint64_t txn, uint8_t tree);
    // A new empty page owned by the transaction.
    PageBuf& allocate(uint32_t& page, uint8_t kind, uint8_t tree, uint16_t level);
    void release(uint32_t page);
    bool owned(uint32_t page) const {
        return page / 64 < ownedBits_.size() && (ownedBits_[page / 64] >> (page % 64) & 1) != 0;
    }
    // Writes dirty pages out when the transaction holds too many in memory.
    void spillIfLarge();
    void commit(bool durable);
    void rollback();
    // The two phases of a commit over several files (format.h section 10):
    // prepare writes the pages and a meta that counts only once the intent
    // record of `group` exists; finish makes that meta final.
    void prepare(bool durable, uint64_t group, const std::string& intentPath);
    void finish(bool durable);
    // Holding the writer lock, with write access: a prepared newest meta is made
    // final when its transaction committed, or replaced by the state before it.
    void settle();
    // True when a meta slot holds a prepared meta.
    bool anyPrepared();

    // Writes `meta` as transaction meta.txn into its slot (repairs and create).
    void writeMeta(const format::Meta& meta);
    void writeSyncedMark(uint64_t txn);
    FileHandle& file() { return file_; }

private:
    struct CacheSlot {
        uint32_t page = 0;
        uint64_t txn = 0;
        bool used = false;
        PageRef ref;
    };

    // A page buffer to fill: one the cache just let go of when it can, as a
    // read that misses would otherwise allocate and free a page every time.
    PageRef freshBuffer();
    PageRef fromDisk(uint32_t page, uint8_t tree);
    // The page in a mapped stretch of the file, or nullptr (read it instead).
    const uint8_t* mapped(uint32_t page);
    PageRef cached(uint32_t page, uint64_t txn);
    void remember(uint32_t page, uint64_t txn, PageRef ref);
    void loadFreeChainPage();
    void arrangeFree();
    void writeFreeList();
    void writeOut(const std::vector<uint32_t>& pages);
    void loadMetas(uint8_t* bytes);
    // With `writer` (the writer lock held), a prepared meta whose record cannot
    // be read is a failure, and `discarded` names the newer slot's transaction
    // when it was prepared and never committed.
    bool readMetas(format::Meta& newest, format::Meta& other, bool& otherValid, bool writer = false,
                   uint64_t* discarded = nullptr);
    bool groupCommitted(const format::Meta& meta, bool writer);
    void writePages();
    void install();
    bool transactionIntact(const format::Meta& meta);

    FileHandle& file_;
    std::string path_;
    // Committed pages are copied out of mapped stretches of the file rather
    // than read, which saves a system call for every page not cached.
    static constexpr uint32_t StretchPages = 2048;
    std::vector<const uint8_t*> stretches_;
    std::vector<bool> stretchFailed_;
    uint64_t knownSize_ = 0;
    uint64_t mappedBytes_ = 0;
    const uint8_t* head_ = nullptr; // the two header pages, mapped
    format::Meta committed_;
    format::Meta work_;
    bool writing_ = false;

    std::vector<CacheSlot> cache_;
    size_t cachedPages_ = 0; // slots in use
    PageRef spare_;
    // Cache slot (plus one) of each page number, in chunks made as pages are
    // cached: a direct look-up that costs memory only where the cache has been.
    static constexpr uint32_t IndexChunk = 512;
    uint32_t slotOf(uint32_t number) const;
    void setSlot(uint32_t number, uint32_t slotPlusOne);
    std::vector<std::unique_ptr<uint32_t[]>> slotIndex_;
    size_t hand_ = 0;

    DirtyPages dirty_;
    // Pages the transaction allocated: a bit per page number, and the list of
    // them to clear the bits by.
    void own(uint32_t page);
    void disown();
    std::vector<uint64_t> ownedBits_;
    std::vector<uint32_t> ownedList_;
    std::vector<uint32_t> freeNow_;   // reusable in this transaction
    std::vector<uint32_t> freeLater_; // freed by this transaction
    uint32_t chainNext_ = 0;          // free-list pages not yet read
    uint64_t chainNextTxn_ = 0;       // the transaction that wrote chainNext_ (0: unknown)
    uint32_t chainRemaining_ = 0;     // free pages listed in them
    uint64_t useClock_ = 0;
    uint32_t startPageCount_ = 0;
};

} // namespace runtime::files
