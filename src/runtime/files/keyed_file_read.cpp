// KeyedFile reading: orders, starting points, next and previous, reads by key
// value, by position and by record id.
#include "runtime/files/keyed_file.h"
#include "runtime/files/keyed_file_run.h"
#include "runtime/files/locks.h"
#include "runtime/files/position.h"

namespace runtime::files {

Tree KeyedFile::tree(int order) {
    return Tree(*pager_, order == PhysicalOrder ? format::TreeRecords : static_cast<uint8_t>(order + 1));
}

std::vector<uint8_t> KeyedFile::keyEntry(size_t key, const void* record, uint32_t rid) const {
    const KeyDecl& k = decl_.keys[key];
    if (k.optional && keyIsEmpty(decl_, k, record)) {
        return {};
    }
    std::vector<uint8_t> entry(keyWidth(decl_, k) + 4);
    encodeKey(decl_, k, record, entry.data());
    format::putBig32(entry.data() + entry.size() - 4, rid);
    return entry;
}

bool KeyedFile::findRecord(uint32_t rid) {
    constexpr size_t HintCount = 4096;
    Cursor& c = lookup_;
    uint8_t key[4];
    format::putBig32(key, rid);
    const format::Meta& m = pager_->meta();
    bool hinted = !pager_->writing() && m.recordsRoot;
    if (hinted) {
        if (leafHints_.empty()) {
            leafHints_.resize(HintCount);
        }
        const LeafHint& h = leafHints_[rid % HintCount];
        if (h.rid == rid && h.root == m.recordsRoot && h.rootTxn == m.recordsRootTxn) {
            PageRef leaf = pager_->read(h.leaf, h.leafTxn, format::TreeRecords);
            if (page::kind(leaf->b) == format::KindLeaf) {
                uint32_t i = page::lowerBound(leaf->b, key, 4);
                if (i < page::count(leaf->b)) {
                    c.path.clear();
                    c.path.push_back({std::move(leaf), i});
                    page::Entry e = c.entry();
                    if (page::compare(e.key, e.keyLength, key, 4) == 0) {
                        return true;
                    }
                }
            }
        }
    }
    if (!tree(PhysicalOrder).find(c, key, 4)) {
        return false;
    }
    if (hinted) {
        const uint8_t* leaf = c.path.back().page->b;
        leafHints_[rid % HintCount] = {rid, page::number(leaf), page::txn(leaf), m.recordsRoot,
                                       m.recordsRootTxn};
    }
    return true;
}

bool KeyedFile::readRecord(uint32_t rid, std::vector<uint8_t>& value, uint64_t* stamp) {
    Cursor& c = lookup_;
    if (!findRecord(rid)) {
        return false;
    }
    page::Entry e = c.entry();
    if (!e.overflow) {
        value.assign(e.value, e.value + e.valueLength);
    } else {
        uint32_t total = format::get32(e.value);
        uint32_t next = format::get32(e.value + 4);
        uint64_t txn = format::get64(e.value + 8);
        uint32_t limit = 8 + decl_.recordSize;
        for (const MemoDecl& m : decl_.memos) {
            limit += 4 + m.maxSize;
        }
        if (total > limit) {
            failDamaged(format::TreeRecords, c.path.back().page ? page::number(c.path.back().page->b) : 0,
                        "overflow length");
        }
        value.resize(total);
        uint32_t at = 0;
        while (at < total) {
            PageRef o = pager_->read(next, txn, format::TreeRecords);
            uint32_t n = page::count(o->b);
            if (page::kind(o->b) != format::KindOverflow || n > format::OverflowCapacity || n > total - at ||
                n == 0) {
                failDamaged(format::TreeRecords, next, "overflow chain");
            }
            std::memcpy(value.data() + at, o->b + format::PageHeaderSize, n);
            at += n;
            next = page::next(o->b);
        }
    }
    if (value.size() < 8 + decl_.recordSize) {
        failDamaged(format::TreeRecords, page::number(c.path.back().page->b), "record too short");
    }
    if (stamp) {
        *stamp = format::get64(value.data());
    }
    return true;
}

void KeyedFile::fillBuffer(const std::vector<uint8_t>& value) {
    size_t at = 8 + decl_.recordSize;
    // Check the memo lengths before anything reaches the caller's buffer.
    for (const MemoDecl& m : decl_.memos) {
        if (value.size() - at < 4) {
            failDriver(driver::Damaged, "Damaged memo in record " + std::to_string(current_));
        }
        uint32_t n = format::get32(value.data() + at);
        if (n > m.maxSize || value.size() - at - 4 < n) {
            failDriver(driver::Damaged, "Damaged memo in record " + std::to_string(current_));
        }
        at += 4 + n;
    }
    std::memcpy(record_, value.data() + 8, decl_.recordSize);
    at = 8 + decl_.recordSize;
    for (size_t i = 0; i < decl_.memos.size(); ++i) {
        uint32_t n = format::get32(value.data() + at);
        memos_[i].assign(reinterpret_cast<const char*>(value.data() + at + 4), n);
        at += 4 + n;
    }
}

void KeyedFile::applyHoldAndWatch(uint32_t rid, uint64_t stamp) {
    if (holdNext_) {
        holdNext_ = false;
        if (held_ != rid) {
            if (held_) {
                handle_->unlock(format::LockHoldBase + held_, 1);
                held_ = 0;
            }
            if (!lockWaiting(*handle_, format::LockHoldBase + rid, holdSeconds_)) {
                fail(err::RecordHeld);
            }
            held_ = rid;
        }
    }
    // A watch covers the one record read after it, until the next read.
    watched_ = watchNext_ ? rid : 0;
    watchedStamp_ = stamp;
    watchNext_ = false;
}

bool KeyedFile::load(uint32_t rid) {
    if (!canRead_) {
        fail(err::AccessDenied);
    }
    uint64_t stamp = 0;
    if (!readRecord(rid, scratch_, &stamp)) {
        return false;
    }
    current_ = rid;
    applyHoldAndWatch(rid, stamp);
    fillBuffer(scratch_);
    return true;
}

bool KeyedFile::set(int order) {
    return run([&] {
        if (order != PhysicalOrder && (order < 0 || order >= static_cast<int>(decl_.keys.size()))) {
            fail(err::InvalidDeclaration);
        }
        order_ = order;
        seq_ = Seq::Start;
        cursor_.path.clear();
        return true;
    });
}

bool KeyedFile::setAt(int key) {
    return setAt(key,
                 key >= 0 && key < static_cast<int>(decl_.keys.size()) ? decl_.keys[key].parts.size() : 0);
}

bool KeyedFile::setAt(int key, size_t parts) {
    return run([&] {
        if (key < 0 || key >= static_cast<int>(decl_.keys.size())) {
            fail(err::InvalidDeclaration);
        }
        const KeyDecl& k = decl_.keys[key];
        size_t full = keyWidth(decl_, k) + 4;
        bound_.assign(full, 0);
        size_t n = encodeKeyPrefix(decl_, k, std::min(parts, k.parts.size()), record_, bound_.data());
        bound_.resize(n);
        boundHigh_ = bound_;
        boundHigh_.resize(full, 0xFF);
        order_ = key;
        seq_ = Seq::Bound;
        cursor_.path.clear();
        return true;
    });
}

bool KeyedFile::step(bool forward) {
    if (!canRead_) {
        fail(err::AccessDenied);
    }
    Tree t = tree(order_);
    bool usable = seq_ == Seq::OnEntry && !cursor_.path.empty() && cursorTxn_ == pager_->meta().txn &&
                  cursorGeneration_ == generation_;
    bool found = false;
    if (usable) {
        found = forward ? t.next(cursor_) : t.previous(cursor_);
    } else if (seq_ == Seq::Bound) {
        found = forward ? t.seek(cursor_, bound_.data(), static_cast<uint32_t>(bound_.size()))
                        : t.seekLast(cursor_, boundHigh_.data(), static_cast<uint32_t>(boundHigh_.size()));
    } else if (seq_ == Seq::OnEntry) {
        const uint8_t* k = last_.data();
        uint32_t n = static_cast<uint32_t>(last_.size());
        found = forward ? t.seek(cursor_, k, n) : t.seekLast(cursor_, k, n);
        if (found) {
            page::Entry e = cursor_.entry();
            if (page::compare(e.key, e.keyLength, k, n) == 0) {
                found = forward ? t.next(cursor_) : t.previous(cursor_);
            }
        }
    } else {
        found = forward ? t.first(cursor_) : t.last(cursor_);
    }
    cursorTxn_ = pager_->meta().txn;
    cursorGeneration_ = generation_;
    if (!found) {
        cursor_.path.clear();
        setError(err::NoRecord);
        return false;
    }
    page::Entry e = cursor_.entry();
    if (e.keyLength < 4) {
        failDamaged(t.id(), page::number(cursor_.path.back().page->b), "short key");
    }
    last_.assign(e.key, e.key + e.keyLength);
    seq_ = Seq::OnEntry;
    uint32_t rid = format::getBig32(e.key + e.keyLength - 4);
    if (order_ == PhysicalOrder) {
        if (!e.overflow && e.valueLength >= 8 + decl_.recordSize) {
            scratch_.assign(e.value, e.value + e.valueLength);
            current_ = rid;
            applyHoldAndWatch(rid, format::get64(e.value));
            fillBuffer(scratch_);
            return true;
        }
    }
    if (!load(rid)) {
        failDamaged(t.id(), page::number(cursor_.path.back().page->b), "key names a missing record");
    }
    return true;
}

bool KeyedFile::next() {
    return run([&] { return step(true); });
}

bool KeyedFile::previous() {
    return run([&] { return step(false); });
}

bool KeyedFile::findByKey(int key, size_t parts, uint32_t& rid) {
    const KeyDecl& k = decl_.keys[key];
    std::vector<uint8_t> prefix(keyWidth(decl_, k) + 4);
    size_t n = encodeKeyPrefix(decl_, k, parts, record_, prefix.data());
    prefix.resize(n);
    Cursor c;
    if (!tree(key).seek(c, prefix.data(), static_cast<uint32_t>(n))) {
        return false;
    }
    page::Entry e = c.entry();
    if (e.keyLength != keyWidth(decl_, k) + 4 || std::memcmp(e.key, prefix.data(), n) != 0) {
        return false;
    }
    rid = format::getBig32(e.key + e.keyLength - 4);
    return true;
}

bool KeyedFile::get(int key) {
    return run([&] {
        if (key < 0 || key >= static_cast<int>(decl_.keys.size())) {
            fail(err::InvalidDeclaration);
        }
        uint32_t rid = 0;
        if (!findByKey(key, decl_.keys[key].parts.size(), rid)) {
            setError(err::RecordNotFound);
            return false;
        }
        if (!load(rid)) {
            failDamaged(static_cast<uint8_t>(key + 1), 0, "key names a missing record");
        }
        return true;
    });
}

bool KeyedFile::fetch(uint32_t id) {
    return run([&] {
        if (!load(id)) {
            setError(err::RecordNotFound);
            return false;
        }
        return true;
    });
}

bool KeyedFile::reget(std::string_view text) {
    return run([&] {
        Position p;
        if (!decodePosition(text, p) ||
            (p.order != PhysicalOrder && p.order >= static_cast<int>(decl_.keys.size()))) {
            setError(err::RecordNotFound);
            return false;
        }
        if (!load(p.rid)) {
            setError(err::RecordNotFound);
            return false;
        }
        return true;
    });
}

bool KeyedFile::reset(std::string_view text) {
    return run([&] {
        Position p;
        if (!decodePosition(text, p) ||
            (p.order != PhysicalOrder && p.order >= static_cast<int>(decl_.keys.size())) ||
            (p.order != PhysicalOrder && p.key.size() != keyWidth(decl_, decl_.keys[p.order]))) {
            setError(err::RecordNotFound);
            return false;
        }
        order_ = p.order;
        bound_ = p.key;
        bound_.resize(p.key.size() + 4);
        format::putBig32(bound_.data() + p.key.size(), p.rid);
        boundHigh_ = bound_;
        seq_ = Seq::Bound;
        cursor_.path.clear();
        return true;
    });
}

std::string KeyedFile::position() {
    return position(order_);
}

std::string KeyedFile::position(int order) {
    std::string out;
    run([&] {
        if (!current_) {
            setError(err::NoRecord);
            return false;
        }
        Position p;
        p.order = order;
        p.rid = current_;
        if (order != PhysicalOrder) {
            if (order < 0 || order >= static_cast<int>(decl_.keys.size())) {
                fail(err::InvalidDeclaration);
            }
            std::vector<uint8_t> value;
            if (!readRecord(current_, value, nullptr)) {
                setError(err::NoRecord);
                return false;
            }
            const KeyDecl& k = decl_.keys[order];
            p.key.resize(keyWidth(decl_, k));
            encodeKey(decl_, k, value.data() + 8, p.key.data());
        }
        out = encodePosition(p);
        return true;
    });
    return out;
}

uint32_t KeyedFile::pointer() const {
    std::lock_guard lock(mutex_);
    return current_;
}

} // namespace runtime::files
