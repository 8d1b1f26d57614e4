// Leaf and branch pages: a header, a slot array of entry offsets in key order,
// and the entries packed at the end of the page (format.h sections 4 and 5).
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/files/format.h"

namespace runtime::files::page {

using namespace format;

inline uint64_t txn(const uint8_t* p) {
    return get64(p + 8);
}
inline uint32_t number(const uint8_t* p) {
    return get32(p + 16);
}
inline uint8_t kind(const uint8_t* p) {
    return p[20];
}
inline uint8_t tree(const uint8_t* p) {
    return p[21];
}
inline uint16_t count(const uint8_t* p) {
    return get16(p + 22);
}
inline uint16_t dataStart(const uint8_t* p) {
    return get16(p + 24);
}
inline uint16_t level(const uint8_t* p) {
    return get16(p + 26);
}
inline uint32_t next(const uint8_t* p) {
    return get32(p + 28);
}
inline void setCount(uint8_t* p, uint32_t n) {
    put16(p + 22, n);
}
inline void setNext(uint8_t* p, uint32_t n) {
    put32(p + 28, n);
}

void init(uint8_t* p, uint32_t number, uint64_t txn, uint8_t kind, uint8_t tree, uint16_t level);
void seal(uint8_t* p);
bool sealed(const uint8_t* p);
// Checks a leaf or branch page's structure: entries inside the page, keys in
// strictly rising order, branch entry 0 without a key. Entries of a page that
// passed may be read without further checks.
bool wellFormed(const uint8_t* p);

struct Entry {
    const uint8_t* key = nullptr;
    uint32_t keyLength = 0;
    const uint8_t* value = nullptr; // leaf: the value or the overflow reference
    uint32_t valueLength = 0;
    bool overflow = false;
    uint32_t child = 0; // branch
    uint64_t childTxn = 0;
};

Entry leaf(const uint8_t* p, uint32_t i);
Entry branch(const uint8_t* p, uint32_t i);
uint32_t entrySize(const uint8_t* p, uint32_t i);
uint32_t freeSpace(const uint8_t* p);
uint32_t leafEntrySize(uint32_t keyLength, uint32_t storedValueLength);
uint32_t branchEntrySize(uint32_t keyLength);

int compare(const uint8_t* a, uint32_t aLength, const uint8_t* b, uint32_t bLength);
// Leaf: the first entry whose key is >= `key` (count when none).
uint32_t lowerBound(const uint8_t* p, const uint8_t* key, uint32_t length);
// Branch: the last entry whose key is <= `key` (0 at least).
uint32_t childFor(const uint8_t* p, const uint8_t* key, uint32_t length);

// Each returns false when the entry does not fit (the page is unchanged).
bool insertLeaf(uint8_t* p, uint32_t i, const uint8_t* key, uint32_t keyLength, const uint8_t* value,
                uint32_t valueLength, bool overflow);
bool insertBranch(uint8_t* p, uint32_t i, const uint8_t* key, uint32_t keyLength, uint32_t child,
                  uint64_t childTxn);
void remove(uint8_t* p, uint32_t i);
void setChild(uint8_t* p, uint32_t i, uint32_t child, uint64_t childTxn);
// Moves entries [from, count) of `p` to the end of the empty page `to`.
void moveTail(uint8_t* p, uint32_t from, uint8_t* to);
// Appends all entries of `from` to `p` (which must have room).
void appendAll(uint8_t* p, const uint8_t* from);

} // namespace runtime::files::page
