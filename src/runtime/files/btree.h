// B+trees over the pager: the records tree and one tree per key. Reading goes
// through cursors (a path of pages from the root); writing copies the path on
// write, splits full pages and merges nearly empty leaves.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/files/page.h"
#include "runtime/files/pager.h"

namespace runtime::files {

struct Cursor {
    struct Step {
        PageRef page;
        uint32_t index = 0;
    };
    std::vector<Step> path; // root first, leaf last
    bool onEntry() const;
    page::Entry entry() const; // the leaf entry under the cursor
};

class Tree {
public:
    Tree(Pager& pager, uint8_t id) : pager_(pager), id_(id) {}

    // Positions on the first entry >= key; false when there is none.
    bool seek(Cursor& c, const uint8_t* key, uint32_t length);
    // Positions on the last entry <= key; false when there is none.
    bool seekLast(Cursor& c, const uint8_t* key, uint32_t length);
    bool first(Cursor& c);
    bool last(Cursor& c);
    bool next(Cursor& c);
    bool previous(Cursor& c);
    // Positions on the entry with exactly this key.
    bool find(Cursor& c, const uint8_t* key, uint32_t length);

    // Writing (in a transaction). `insert` replaces an entry with the same key.
    void insert(const uint8_t* key, uint32_t keyLength, const uint8_t* value, uint32_t valueLength,
                bool overflow);
    // Removes the entry with exactly this key; false when there is none.
    bool erase(const uint8_t* key, uint32_t keyLength);

    uint8_t id() const { return id_; }

private:
    struct WriteStep {
        uint32_t page;
        uint32_t index;
    };
    void root(uint32_t& page, uint64_t& txn) const;
    void setRoot(uint32_t page);
    bool descend(Cursor& c, const uint8_t* key, uint32_t length, bool toLast);
    void edge(Cursor& c, bool toLast);
    PageRef child(const Cursor::Step& parent);
    PageBuf& writablePath(const uint8_t* key, uint32_t length, std::vector<WriteStep>& path, bool& rightmost);
    PageBuf& at(uint32_t page);
    void splitLeaf(std::vector<WriteStep>& path, uint32_t index, const uint8_t* key, uint32_t keyLength,
                   const uint8_t* value, uint32_t valueLength, bool overflow, bool rightmost);
    void insertIntoParent(std::vector<WriteStep>& path, size_t level, const std::vector<uint8_t>& separator,
                          uint32_t right, uint16_t childLevel);
    void removeFromParent(std::vector<WriteStep>& path, size_t level);
    void mergeLeaf(std::vector<WriteStep>& path);
    void collapseRoot();

    Pager& pager_;
    uint8_t id_;
};

} // namespace runtime::files
