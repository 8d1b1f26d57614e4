#include "runtime/files/btree.h"

#include "runtime/files/failure.h"

namespace runtime::files {

bool Cursor::onEntry() const {
    return !path.empty() && path.back().index < page::count(path.back().page->b);
}

page::Entry Cursor::entry() const {
    return page::leaf(path.back().page->b, path.back().index);
}

void Tree::root(uint32_t& page, uint64_t& txn) const {
    const format::Meta& m = pager_.meta();
    if (id_ == format::TreeRecords) {
        page = m.recordsRoot;
        txn = m.recordsRootTxn;
    } else {
        page = m.keys[id_ - 1].page;
        txn = m.keys[id_ - 1].txn;
    }
}

void Tree::setRoot(uint32_t page) {
    format::Meta& m = pager_.work();
    uint64_t txn = page ? pager_.txn() : 0;
    if (id_ == format::TreeRecords) {
        m.recordsRoot = page;
        m.recordsRootTxn = txn;
    } else {
        m.keys[id_ - 1].page = page;
        m.keys[id_ - 1].txn = txn;
    }
}

PageRef Tree::child(const Cursor::Step& parent) {
    page::Entry e = page::branch(parent.page->b, parent.index);
    PageRef ref = pager_.read(e.child, e.childTxn, id_);
    if (page::level(ref->b) + 1 != page::level(parent.page->b)) {
        failDamaged(id_, e.child, "level does not follow its parent");
    }
    return ref;
}

bool Tree::descend(Cursor& c, const uint8_t* key, uint32_t length, bool toLast) {
    c.path.clear();
    uint32_t number = 0;
    uint64_t txn = 0;
    root(number, txn);
    if (!number) {
        return false;
    }
    PageRef ref = pager_.read(number, txn, id_);
    for (;;) {
        const uint8_t* b = ref->b;
        if (page::kind(b) == format::KindLeaf) {
            c.path.push_back({ref, key ? page::lowerBound(b, key, length) : (toLast ? page::count(b) : 0)});
            return true;
        }
        uint32_t i = key ? page::childFor(b, key, length) : (toLast ? page::count(b) - 1u : 0u);
        c.path.push_back({ref, i});
        if (c.path.size() >= format::MaxLevels) {
            failDamaged(id_, number, "tree too deep");
        }
        ref = child(c.path.back());
    }
}

void Tree::edge(Cursor& c, bool toLast) {
    // Replaces the steps below the last one with the leftmost (rightmost) path.
    for (;;) {
        Cursor::Step& s = c.path.back();
        if (page::kind(s.page->b) == format::KindLeaf) {
            s.index = toLast ? page::count(s.page->b) : 0;
            return;
        }
        PageRef ref = child(s);
        uint32_t n = page::count(ref->b);
        c.path.push_back(
            {ref, page::kind(ref->b) == format::KindLeaf ? (toLast ? n : 0) : (toLast ? n - 1 : 0)});
    }
}

bool Tree::seek(Cursor& c, const uint8_t* key, uint32_t length) {
    if (!descend(c, key, length, false)) {
        return false;
    }
    if (c.onEntry()) {
        return true;
    }
    return next(c);
}

bool Tree::seekLast(Cursor& c, const uint8_t* key, uint32_t length) {
    if (!descend(c, key, length, false)) {
        return false;
    }
    if (c.onEntry()) {
        page::Entry e = c.entry();
        if (page::compare(e.key, e.keyLength, key, length) <= 0) {
            return true;
        }
    }
    return previous(c);
}

bool Tree::first(Cursor& c) {
    if (!descend(c, nullptr, 0, false)) {
        return false;
    }
    return c.onEntry() || next(c);
}

bool Tree::last(Cursor& c) {
    if (!descend(c, nullptr, 0, true)) {
        return false;
    }
    return previous(c);
}

bool Tree::find(Cursor& c, const uint8_t* key, uint32_t length) {
    if (!descend(c, key, length, false) || !c.onEntry()) {
        return false;
    }
    page::Entry e = c.entry();
    return page::compare(e.key, e.keyLength, key, length) == 0;
}

bool Tree::next(Cursor& c) {
    if (c.path.empty()) {
        return false;
    }
    Cursor::Step& leaf = c.path.back();
    uint32_t n = page::count(leaf.page->b);
    if (leaf.index + 1 < n) {
        ++leaf.index;
        return true;
    }
    leaf.index = n;
    for (size_t level = c.path.size() - 1; level-- > 0;) {
        Cursor::Step& s = c.path[level];
        if (s.index + 1 < page::count(s.page->b)) {
            ++s.index;
            c.path.resize(level + 1);
            edge(c, false);
            if (c.onEntry()) {
                return true;
            }
            return next(c);
        }
    }
    return false;
}

bool Tree::previous(Cursor& c) {
    if (c.path.empty()) {
        return false;
    }
    Cursor::Step& leaf = c.path.back();
    if (leaf.index > 0) {
        --leaf.index;
        return true;
    }
    for (size_t level = c.path.size() - 1; level-- > 0;) {
        Cursor::Step& s = c.path[level];
        if (s.index > 0) {
            --s.index;
            c.path.resize(level + 1);
            edge(c, true);
            return previous(c);
        }
    }
    return false;
}

PageBuf& Tree::at(uint32_t number) {
    return *pager_.read(number, pager_.txn(), id_);
}

PageBuf& Tree::writablePath(const uint8_t* key, uint32_t length, std::vector<WriteStep>& path,
                            bool& rightmost) {
    path.clear();
    rightmost = true;
    uint32_t number = 0;
    uint64_t txn = 0;
    root(number, txn);
    PageBuf* b = &pager_.writable(number, txn, id_);
    setRoot(number);
    for (;;) {
        if (page::kind(b->b) == format::KindLeaf) {
            path.push_back({number, page::lowerBound(b->b, key, length)});
            return *b;
        }
        uint32_t i = page::childFor(b->b, key, length);
        rightmost = rightmost && i + 1 == page::count(b->b);
        path.push_back({number, i});
        if (path.size() >= format::MaxLevels) {
            failDamaged(id_, number, "tree too deep");
        }
        page::Entry e = page::branch(b->b, i);
        uint32_t childPage = e.child;
        uint16_t parentLevel = page::level(b->b);
        PageBuf* c = &pager_.writable(childPage, e.childTxn, id_);
        if (page::level(c->b) + 1 != parentLevel) {
            failDamaged(id_, childPage, "level does not follow its parent");
        }
        page::setChild(b->b, i, childPage, pager_.txn());
        number = childPage;
        b = c;
    }
}

void Tree::insert(const uint8_t* key, uint32_t keyLength, const uint8_t* value, uint32_t valueLength,
                  bool overflow) {
    uint32_t rootPage = 0;
    uint64_t rootTxn = 0;
    root(rootPage, rootTxn);
    if (!rootPage) {
        uint32_t number = 0;
        PageBuf& leaf = pager_.allocate(number, format::KindLeaf, id_, 0);
        page::insertLeaf(leaf.b, 0, key, keyLength, value, valueLength, overflow);
        setRoot(number);
        return;
    }
    std::vector<WriteStep> path;
    bool rightmost = false;
    PageBuf* leaf = &writablePath(key, keyLength, path, rightmost);
    uint32_t i = path.back().index;
    if (i < page::count(leaf->b)) {
        page::Entry e = page::leaf(leaf->b, i);
        if (page::compare(e.key, e.keyLength, key, keyLength) == 0) {
            page::remove(leaf->b, i);
        }
    }
    if (page::insertLeaf(leaf->b, i, key, keyLength, value, valueLength, overflow)) {
        return;
    }
    splitLeaf(path, i, key, keyLength, value, valueLength, overflow, rightmost);
}

void Tree::splitLeaf(std::vector<WriteStep>& path, uint32_t index, const uint8_t* key, uint32_t keyLength,
                     const uint8_t* value, uint32_t valueLength, bool overflow, bool rightmost) {
    uint8_t* left = at(path.back().page).b;
    uint32_t n = page::count(left);
    uint32_t split = n;
    if (!(rightmost && index == n)) {
        // Split by bytes, so both halves have room for the new entry.
        uint32_t total = format::PageSize - page::dataStart(left);
        uint32_t acc = 0;
        split = 0;
        while (split < n && acc + page::entrySize(left, split) <= total / 2) {
            acc += page::entrySize(left, split++);
        }
        if (split == 0) {
            split = 1;
        }
    }
    uint32_t rightPage = 0;
    uint8_t* right = pager_.allocate(rightPage, format::KindLeaf, id_, 0).b;
    left = at(path.back().page).b;
    page::moveTail(left, split, right);
    bool inserted = index <= split && index <= page::count(left)
                        ? page::insertLeaf(left, index, key, keyLength, value, valueLength, overflow)
                        : false;
    if (!inserted) {
        page::insertLeaf(right, index - std::min(index, split), key, keyLength, value, valueLength, overflow);
    }
    page::Entry first = page::leaf(right, 0);
    std::vector<uint8_t> separator(first.key, first.key + first.keyLength);
    insertIntoParent(path, path.size() - 1, separator, rightPage, 0);
}

void Tree::insertIntoParent(std::vector<WriteStep>& path, size_t level, const std::vector<uint8_t>& separator,
                            uint32_t right, uint16_t childLevel) {
    if (level == 0) {
        uint32_t rootPage = 0;
        uint8_t* root =
            pager_.allocate(rootPage, format::KindBranch, id_, static_cast<uint16_t>(childLevel + 1)).b;
        page::insertBranch(root, 0, nullptr, 0, path[0].page, pager_.txn());
        page::insertBranch(root, 1, separator.data(), static_cast<uint32_t>(separator.size()), right,
                           pager_.txn());
        setRoot(rootPage);
        return;
    }
    WriteStep& parentStep = path[level - 1];
    uint8_t* parent = at(parentStep.page).b;
    uint32_t j = parentStep.index + 1;
    if (page::insertBranch(parent, j, separator.data(), static_cast<uint32_t>(separator.size()), right,
                           pager_.txn())) {
        return;
    }
    uint32_t n = page::count(parent);
    uint32_t total = format::PageSize - page::dataStart(parent);
    uint32_t acc = 0, split = 0;
    while (split < n && acc + page::entrySize(parent, split) <= total / 2) {
        acc += page::entrySize(parent, split++);
    }
    split = std::max<uint32_t>(split, 1);
    split = std::min<uint32_t>(split, n - 1);
    uint16_t parentLevel = page::level(parent);
    uint32_t newPage = 0;
    uint8_t* sibling = pager_.allocate(newPage, format::KindBranch, id_, parentLevel).b;
    parent = at(parentStep.page).b;
    page::moveTail(parent, split, sibling);
    page::Entry head = page::branch(sibling, 0);
    std::vector<uint8_t> up(head.key, head.key + head.keyLength);
    uint32_t headChild = head.child;
    uint64_t headTxn = head.childTxn;
    page::remove(sibling, 0);
    page::insertBranch(sibling, 0, nullptr, 0, headChild, headTxn);
    if (j <= split) {
        page::insertBranch(parent, j, separator.data(), static_cast<uint32_t>(separator.size()), right,
                           pager_.txn());
    } else {
        page::insertBranch(sibling, j - split, separator.data(), static_cast<uint32_t>(separator.size()),
                           right, pager_.txn());
    }
    insertIntoParent(path, level - 1, up, newPage, parentLevel);
}

bool Tree::erase(const uint8_t* key, uint32_t keyLength) {
    Cursor probe;
    if (!find(probe, key, keyLength)) {
        return false;
    }
    std::vector<WriteStep> path;
    bool rightmost = false;
    PageBuf& leaf = writablePath(key, keyLength, path, rightmost);
    page::remove(leaf.b, path.back().index);
    if (page::count(leaf.b) == 0) {
        if (path.size() == 1) {
            pager_.release(path[0].page);
            setRoot(0);
            return true;
        }
        removeFromParent(path, path.size() - 1);
    } else if (path.size() > 1 && format::PageSize - page::dataStart(leaf.b) < format::PageSize / 4) {
        mergeLeaf(path);
    }
    collapseRoot();
    return true;
}

void Tree::removeFromParent(std::vector<WriteStep>& path, size_t level) {
    // The page at `level` is empty: drop it and its entry in the parent.
    pager_.release(path[level].page);
    uint8_t* parent = at(path[level - 1].page).b;
    uint32_t i = path[level - 1].index;
    page::remove(parent, i);
    if (i == 0 && page::count(parent) > 0) {
        page::Entry e = page::branch(parent, 0);
        uint32_t child = e.child;
        uint64_t txn = e.childTxn;
        page::remove(parent, 0);
        page::insertBranch(parent, 0, nullptr, 0, child, txn);
    }
    if (page::count(parent) == 0) {
        if (level - 1 == 0) {
            pager_.release(path[0].page);
            setRoot(0);
            return;
        }
        removeFromParent(path, level - 1);
    }
}

void Tree::mergeLeaf(std::vector<WriteStep>& path) {
    WriteStep& parentStep = path[path.size() - 2];
    uint8_t* parent = at(parentStep.page).b;
    uint32_t n = page::count(parent);
    if (n < 2) {
        return;
    }
    uint32_t leftIndex = parentStep.index + 1 < n ? parentStep.index : parentStep.index - 1;
    page::Entry le = page::branch(parent, leftIndex);
    page::Entry re = page::branch(parent, leftIndex + 1);
    uint32_t leftPage = le.child, rightPage = re.child;
    uint64_t leftTxn = le.childTxn, rightTxn = re.childTxn;
    PageRef rightRef = pager_.read(rightPage, rightTxn, id_);
    PageRef leftRef = pager_.read(leftPage, leftTxn, id_);
    uint32_t used = (format::PageSize - page::dataStart(leftRef->b)) + 2 * page::count(leftRef->b) +
                    (format::PageSize - page::dataStart(rightRef->b)) + 2 * page::count(rightRef->b);
    if (page::kind(leftRef->b) != format::KindLeaf || page::kind(rightRef->b) != format::KindLeaf ||
        used > (format::PageSize - format::PageHeaderSize) * 3 / 4) {
        return;
    }
    uint8_t* left = pager_.writable(leftPage, leftTxn, id_).b;
    parent = at(parentStep.page).b;
    page::setChild(parent, leftIndex, leftPage, pager_.txn());
    page::appendAll(left, rightRef->b);
    page::remove(parent, leftIndex + 1);
    pager_.release(rightPage);
}

void Tree::collapseRoot() {
    for (;;) {
        uint32_t rootPage = 0;
        uint64_t rootTxn = 0;
        root(rootPage, rootTxn);
        if (!rootPage) {
            return;
        }
        PageRef ref = pager_.read(rootPage, rootTxn, id_);
        if (page::kind(ref->b) != format::KindBranch || page::count(ref->b) != 1) {
            return;
        }
        page::Entry e = page::branch(ref->b, 0);
        uint32_t child = e.child;
        uint64_t childTxn = e.childTxn;
        pager_.release(rootPage);
        format::Meta& m = pager_.work();
        if (id_ == format::TreeRecords) {
            m.recordsRoot = child;
            m.recordsRootTxn = childTxn;
        } else {
            m.keys[id_ - 1].page = child;
            m.keys[id_ - 1].txn = childTxn;
        }
    }
}

} // namespace runtime::files
