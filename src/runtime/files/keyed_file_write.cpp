// KeyedFile writing: add, put, erase, holds, watches, buffered writing, and
// the per-file half of transactions.
#include "runtime/files/keyed_file.h"
#include "runtime/files/keyed_file_run.h"
#include "runtime/files/locks.h"

namespace runtime::files {
namespace {
constexpr int WriterWaitSeconds = 10;
}

void KeyedFile::lockWriter(int seconds) {
    if (writerLocked_) {
        return;
    }
    if (!lockWaiting(*handle_, format::LockWriter, seconds)) {
        fail(err::FileLocked);
    }
    writerLocked_ = true;
}

void KeyedFile::unlockWriter() {
    if (writerLocked_) {
        handle_->unlock(format::LockWriter, 1);
        writerLocked_ = false;
    }
}

void KeyedFile::checkWriteAccess() {
    if (!canWrite_) {
        fail(err::AccessDenied);
    }
    if (broken_) {
        failDriver(driver::Damaged, "A write of this transaction failed: roll it back");
    }
}

// Runs one change: on its own transaction (committed at once) unless a
// transaction or buffered writing is open, in which case it joins that one.
template <typename Change>
void KeyedFile::write(Change&& change) {
    checkWriteAccess();
    bool joined = pager_->writing();
    if (!joined) {
        lockWriter(std::max(recoverSeconds_, WriterWaitSeconds));
        try {
            pager_->begin();
        } catch (...) {
            unlockWriter();
            throw;
        }
    }
    bool modified = false;
    try {
        change(modified);
        if (joined) {
            modified = true;
            pager_->spillIfLarge();
        } else {
            pager_->commit(durable_);
            unlockWriter();
        }
    } catch (...) {
        ++generation_;
        if (joined) {
            broken_ = broken_ || modified;
        } else {
            pager_->rollback();
            unlockWriter();
        }
        throw;
    }
    ++generation_;
}

bool KeyedFile::duplicate(size_t key, const std::vector<uint8_t>& entry, uint32_t rid) {
    const KeyDecl& k = decl_.keys[key];
    if (k.duplicates || entry.empty()) {
        return false;
    }
    uint32_t width = static_cast<uint32_t>(entry.size() - 4);
    Cursor c;
    if (!tree(static_cast<int>(key)).seek(c, entry.data(), width)) {
        return false;
    }
    page::Entry e = c.entry();
    return e.keyLength == entry.size() && std::memcmp(e.key, entry.data(), width) == 0 &&
           format::getBig32(e.key + width) != rid;
}

std::vector<uint8_t> KeyedFile::encodeValue(uint64_t stamp) const {
    size_t size = 8 + decl_.recordSize;
    for (size_t i = 0; i < memos_.size(); ++i) {
        size += 4 + std::min<size_t>(memos_[i].size(), decl_.memos[i].maxSize);
    }
    std::vector<uint8_t> value(size);
    format::put64(value.data(), stamp);
    std::memcpy(value.data() + 8, record_, decl_.recordSize);
    size_t at = 8 + decl_.recordSize;
    for (size_t i = 0; i < memos_.size(); ++i) {
        uint32_t n = static_cast<uint32_t>(std::min<size_t>(memos_[i].size(), decl_.memos[i].maxSize));
        format::put32(value.data() + at, n);
        std::memcpy(value.data() + at + 4, memos_[i].data(), n);
        at += 4 + n;
    }
    return value;
}

void KeyedFile::storeValue(uint32_t rid, const std::vector<uint8_t>& value) {
    uint8_t key[4];
    format::putBig32(key, rid);
    Tree records = tree(PhysicalOrder);
    if (page::leafEntrySize(4, static_cast<uint32_t>(value.size())) <= format::MaxInlineEntry) {
        records.insert(key, 4, value.data(), static_cast<uint32_t>(value.size()), false);
        return;
    }
    // The chain is written back to front, so each page knows the next.
    size_t pages = (value.size() + format::OverflowCapacity - 1) / format::OverflowCapacity;
    uint32_t next = 0;
    for (size_t i = pages; i-- > 0;) {
        uint32_t number = 0;
        PageBuf& b = pager_->allocate(number, format::KindOverflow, format::TreeRecords, 0);
        size_t from = i * format::OverflowCapacity;
        size_t n = std::min<size_t>(format::OverflowCapacity, value.size() - from);
        std::memcpy(b.b + format::PageHeaderSize, value.data() + from, n);
        page::setCount(b.b, static_cast<uint32_t>(n));
        page::setNext(b.b, next);
        next = number;
    }
    uint8_t ref[format::OverflowRefSize];
    format::put32(ref, static_cast<uint32_t>(value.size()));
    format::put32(ref + 4, next);
    format::put64(ref + 8, pager_->txn());
    records.insert(key, 4, ref, sizeof ref, true);
}

void KeyedFile::freeOverflow(uint32_t rid) {
    Cursor c;
    uint8_t key[4];
    format::putBig32(key, rid);
    if (!tree(PhysicalOrder).find(c, key, 4) || !c.entry().overflow) {
        return;
    }
    page::Entry e = c.entry();
    uint32_t next = format::get32(e.value + 4);
    uint64_t txn = format::get64(e.value + 8);
    for (uint32_t hops = 0; next; ++hops) {
        PageRef o = pager_->read(next, txn, format::TreeRecords);
        if (page::kind(o->b) != format::KindOverflow || hops > pager_->meta().pageCount) {
            failDamaged(format::TreeRecords, next, "overflow chain");
        }
        uint32_t following = page::next(o->b);
        pager_->release(next);
        next = following;
    }
}

bool KeyedFile::add() {
    return run([&] {
        write([&](bool& modified) {
            format::Meta& m = pager_->work();
            if (m.nextRid == UINT32_MAX) {
                failDriver(driver::TooLarge, "The file has used up its record ids");
            }
            uint32_t rid = m.nextRid;
            std::vector<std::vector<uint8_t>> entries(decl_.keys.size());
            for (size_t k = 0; k < decl_.keys.size(); ++k) {
                entries[k] = keyEntry(k, record_, rid);
                if (duplicate(k, entries[k], rid)) {
                    fail(err::DuplicateKey);
                }
            }
            modified = true;
            m.nextRid++;
            storeValue(rid, encodeValue(pager_->txn()));
            for (size_t k = 0; k < entries.size(); ++k) {
                if (!entries[k].empty()) {
                    tree(static_cast<int>(k))
                        .insert(entries[k].data(), static_cast<uint32_t>(entries[k].size()), nullptr, 0,
                                false);
                    pager_->work().keys[k].entries++;
                }
            }
            pager_->work().records++;
            current_ = rid;
        });
        return true;
    });
}

void KeyedFile::checkNotHeldByOthers(uint32_t rid) {
    if (held_ != rid && heldByOthers(*handle_, format::LockHoldBase + rid)) {
        fail(err::RecordHeld);
    }
}

// A put of exactly what is stored has nothing to write: it takes effect as the
// read it compared against, and the write transaction (a lock, pages and a meta)
// is saved. A record gone or changed under a watch is left to the write to report.
bool KeyedFile::storedAsIs() {
    uint64_t stamp = 0;
    if (!readRecord(current_, scratch_, &stamp) || (watched_ == current_ && stamp != watchedStamp_)) {
        return false;
    }
    return encodeValue(stamp) == scratch_;
}

bool KeyedFile::put() {
    return run([&] {
        if (!current_) {
            fail(err::NoRecord);
        }
        checkWriteAccess();
        checkNotHeldByOthers(current_);
        if (storedAsIs()) {
            return true;
        }
        write([&](bool& modified) {
            std::vector<uint8_t> old;
            uint64_t stamp = 0;
            bool watched = watched_ == current_;
            if (!readRecord(current_, old, &stamp)) {
                fail(watched ? err::ChangedByOther : err::RecordNotFound);
            }
            if (watched && stamp != watchedStamp_) {
                fail(err::ChangedByOther);
            }
            size_t n = decl_.keys.size();
            std::vector<std::vector<uint8_t>> before(n), after(n);
            for (size_t k = 0; k < n; ++k) {
                before[k] = keyEntry(k, old.data() + 8, current_);
                after[k] = keyEntry(k, record_, current_);
                if (before[k] != after[k] && duplicate(k, after[k], current_)) {
                    fail(err::DuplicateKey);
                }
            }
            modified = true;
            for (size_t k = 0; k < n; ++k) {
                if (before[k] == after[k]) {
                    continue;
                }
                Tree t = tree(static_cast<int>(k));
                if (!before[k].empty()) {
                    t.erase(before[k].data(), static_cast<uint32_t>(before[k].size()));
                    pager_->work().keys[k].entries--;
                }
                if (!after[k].empty()) {
                    t.insert(after[k].data(), static_cast<uint32_t>(after[k].size()), nullptr, 0, false);
                    pager_->work().keys[k].entries++;
                }
            }
            freeOverflow(current_);
            storeValue(current_, encodeValue(pager_->txn()));
            if (watched) {
                watchedStamp_ = pager_->txn();
            }
        });
        return true;
    });
}

bool KeyedFile::erase() {
    return run([&] {
        if (!current_) {
            fail(err::NoRecord);
        }
        checkWriteAccess();
        checkNotHeldByOthers(current_);
        write([&](bool& modified) {
            std::vector<uint8_t> old;
            uint64_t stamp = 0;
            bool watched = watched_ == current_;
            if (!readRecord(current_, old, &stamp)) {
                fail(watched ? err::ChangedByOther : err::RecordNotFound);
            }
            if (watched && stamp != watchedStamp_) {
                fail(err::ChangedByOther);
            }
            modified = true;
            for (size_t k = 0; k < decl_.keys.size(); ++k) {
                std::vector<uint8_t> entry = keyEntry(k, old.data() + 8, current_);
                if (!entry.empty()) {
                    if (!tree(static_cast<int>(k)).erase(entry.data(), static_cast<uint32_t>(entry.size()))) {
                        fail(err::KeysMustBeRebuilt);
                    }
                    pager_->work().keys[k].entries--;
                }
            }
            freeOverflow(current_);
            uint8_t key[4];
            format::putBig32(key, current_);
            tree(PhysicalOrder).erase(key, 4);
            pager_->work().records--;
        });
        if (held_ == current_) {
            handle_->unlock(format::LockHoldBase + held_, 1);
            held_ = 0;
        }
        current_ = 0;
        return true;
    });
}

void KeyedFile::hold(int seconds) {
    std::lock_guard lock(mutex_);
    holdNext_ = true;
    holdSeconds_ = std::max(seconds, 0);
}

void KeyedFile::release() {
    std::lock_guard lock(mutex_);
    clearError();
    holdNext_ = false;
    if (handle_ && held_) {
        handle_->unlock(format::LockHoldBase + held_, 1);
    }
    held_ = 0;
}

void KeyedFile::watch() {
    std::lock_guard lock(mutex_);
    watchNext_ = true;
}

void KeyedFile::beginWriting(int waitSeconds) {
    lockWriter(waitSeconds);
    try {
        pager_->begin();
    } catch (...) {
        unlockWriter();
        throw;
    }
}

// Ends a run of writes: commits it, or drops it when one of its writes
// failed; the writer's lock is released either way.
void KeyedFile::finishWriting(bool durable, const char* brokenText) {
    ++generation_;
    if (broken_) {
        broken_ = false;
        pager_->rollback();
        unlockWriter();
        failDriver(driver::Damaged, brokenText);
    }
    try {
        pager_->commit(durable);
    } catch (...) {
        unlockWriter();
        throw;
    }
    unlockWriter();
}

bool KeyedFile::stream() {
    return run([&] {
        checkWriteAccess();
        if (pager_->writing()) {
            return true;
        }
        beginWriting(std::max(recoverSeconds_, WriterWaitSeconds));
        streaming_ = true;
        return true;
    });
}

bool KeyedFile::flush() {
    return run([&] {
        if (!streaming_) {
            return true;
        }
        streaming_ = false;
        finishWriting(true, "A buffered write failed; the buffered changes were dropped");
        return true;
    });
}

bool KeyedFile::beginTransaction(int waitSeconds) {
    return run([&] {
        checkWriteAccess();
        if (inTransaction_) {
            failDriver(driver::BadOption, "A transaction is already open on this file");
        }
        if (streaming_) {
            streaming_ = false;
            pager_->commit(durable_);
            unlockWriter();
        }
        beginWriting(std::max(recoverSeconds_, waitSeconds));
        inTransaction_ = true;
        return true;
    });
}

bool KeyedFile::commitTransaction() {
    return run([&] {
        if (!inTransaction_) {
            return true;
        }
        inTransaction_ = false;
        finishWriting(durable_, "A write of this transaction failed; it was rolled back");
        return true;
    });
}

bool KeyedFile::prepareTransaction(uint64_t group, const std::string& intentPath) {
    return run([&] {
        if (!inTransaction_) {
            fail(err::NoRecord);
        }
        if (broken_) {
            failDriver(driver::Damaged, "A write of this transaction failed; it was rolled back");
        }
        pager_->prepare(durable_, group, intentPath);
        return true;
    });
}

bool KeyedFile::finishTransaction() {
    return run([&] {
        inTransaction_ = false;
        ++generation_;
        try {
            pager_->finish(durable_);
        } catch (...) {
            unlockWriter();
            throw;
        }
        unlockWriter();
        return true;
    });
}

uint64_t KeyedFile::pendingTransaction() const {
    std::lock_guard lock(mutex_);
    return pager_ && pager_->writing() ? pager_->txn() : 0;
}

void KeyedFile::rollbackTransaction() {
    std::lock_guard lock(mutex_);
    if (!inTransaction_ || !pager_) {
        return;
    }
    inTransaction_ = false;
    broken_ = false;
    ++generation_;
    pager_->rollback();
    unlockWriter();
}

} // namespace runtime::files
