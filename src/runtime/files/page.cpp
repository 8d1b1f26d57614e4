#include "runtime/files/page.h"

#include <algorithm>

namespace runtime::files::page {
namespace {

constexpr uint32_t LeafHeader = 4;    // u16 key length, u16 value length
constexpr uint32_t BranchHeader = 14; // u16 key length, u32 child, u64 child txn

uint8_t* slotAt(uint8_t* p, uint32_t i) {
    return p + PageHeaderSize + 2 * i;
}
uint32_t offsetOf(const uint8_t* p, uint32_t i) {
    return get16(p + PageHeaderSize + 2 * i);
}

bool placeEntry(uint8_t* p, uint32_t i, uint32_t size, uint8_t*& at) {
    uint32_t n = count(p);
    if (i > n || freeSpace(p) < size + 2) {
        return false;
    }
    uint32_t start = dataStart(p) - size;
    std::memmove(slotAt(p, i + 1), slotAt(p, i), 2 * (n - i));
    put16(slotAt(p, i), start);
    put16(p + 24, start);
    setCount(p, n + 1);
    at = p + start;
    return true;
}

// Rebuilds the page's entry area from a copy, leaving out entry `skip`.
void repack(uint8_t* p, uint32_t skip) {
    uint8_t copy[PageSize];
    std::memcpy(copy, p, PageSize);
    uint32_t n = count(copy);
    uint32_t out = 0;
    uint32_t start = PageSize;
    for (uint32_t i = 0; i < n; ++i) {
        if (i == skip) {
            continue;
        }
        uint32_t size = entrySize(copy, i);
        start -= size;
        std::memcpy(p + start, copy + offsetOf(copy, i), size);
        put16(slotAt(p, out++), start);
    }
    setCount(p, out);
    put16(p + 24, start);
}

} // namespace

void init(uint8_t* p, uint32_t num, uint64_t t, uint8_t k, uint8_t tr, uint16_t lvl) {
    std::memset(p, 0, PageSize);
    put64(p + 8, t);
    put32(p + 16, num);
    p[20] = k;
    p[21] = tr;
    put16(p + 24, PageSize);
    put16(p + 26, lvl);
}

void seal(uint8_t* p) {
    put64(p, checksum(p + 8, PageSize - 8));
}

bool sealed(const uint8_t* p) {
    return get64(p) == checksum(p + 8, PageSize - 8);
}

uint32_t leafEntrySize(uint32_t keyLength, uint32_t storedValueLength) {
    return LeafHeader + keyLength + storedValueLength;
}

uint32_t branchEntrySize(uint32_t keyLength) {
    return BranchHeader + keyLength;
}

uint32_t entrySize(const uint8_t* p, uint32_t i) {
    const uint8_t* e = p + offsetOf(p, i);
    if (kind(p) == KindBranch) {
        return BranchHeader + get16(e);
    }
    uint32_t v = get16(e + 2);
    return LeafHeader + get16(e) + ((v & OverflowFlag) ? OverflowRefSize : v);
}

uint32_t freeSpace(const uint8_t* p) {
    uint32_t slotsEnd = PageHeaderSize + 2 * count(p);
    uint32_t start = dataStart(p);
    return start > slotsEnd ? start - slotsEnd : 0;
}

bool wellFormed(const uint8_t* p) {
    uint8_t k = kind(p);
    if (k != KindLeaf && k != KindBranch) {
        return false;
    }
    if ((k == KindLeaf) != (level(p) == 0) || level(p) >= MaxLevels) {
        return false;
    }
    uint32_t n = count(p);
    uint32_t start = dataStart(p);
    if (PageHeaderSize + 2 * n > start || start > PageSize || (k == KindBranch && n == 0)) {
        return false;
    }
    uint32_t header = k == KindBranch ? BranchHeader : LeafHeader;
    uint32_t total = 0;
    const uint8_t* previousKey = nullptr;
    uint32_t previousLength = 0;
    for (uint32_t i = 0; i < n; ++i) {
        uint32_t o = offsetOf(p, i);
        if (o < start || o + header > PageSize) {
            return false;
        }
        uint32_t keyLength = get16(p + o);
        uint32_t size = header + keyLength;
        if (k == KindLeaf) {
            uint32_t v = get16(p + o + 2);
            size += (v & OverflowFlag) ? OverflowRefSize : v;
        }
        if (o + size > PageSize) {
            return false;
        }
        total += size;
        const uint8_t* key = p + o + header;
        if (k == KindBranch && i == 0) {
            if (keyLength != 0) {
                return false;
            }
        } else if (previousKey && compare(previousKey, previousLength, key, keyLength) >= 0) {
            return false;
        }
        if (!(k == KindBranch && i == 0)) {
            previousKey = key;
            previousLength = keyLength;
        }
    }
    return total == PageSize - start;
}

Entry leaf(const uint8_t* p, uint32_t i) {
    const uint8_t* e = p + offsetOf(p, i);
    Entry out;
    out.keyLength = get16(e);
    uint32_t v = get16(e + 2);
    out.key = e + LeafHeader;
    out.value = out.key + out.keyLength;
    out.overflow = (v & OverflowFlag) != 0;
    out.valueLength = out.overflow ? OverflowRefSize : v;
    return out;
}

Entry branch(const uint8_t* p, uint32_t i) {
    const uint8_t* e = p + offsetOf(p, i);
    Entry out;
    out.keyLength = get16(e);
    out.child = get32(e + 2);
    out.childTxn = get64(e + 6);
    out.key = e + BranchHeader;
    return out;
}

// Every look-up compares keys a dozen times a page; eight bytes at a time as
// big-endian words keeps that off the library call for keys this short.
int compare(const uint8_t* a, uint32_t aLength, const uint8_t* b, uint32_t bLength) {
    uint32_t n = std::min(aLength, bLength);
    uint32_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t x = 0, y = 0;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        if (x != y) {
            return __builtin_bswap64(x) < __builtin_bswap64(y) ? -1 : 1;
        }
    }
    for (; i < n; ++i) {
        if (a[i] != b[i]) {
            return a[i] < b[i] ? -1 : 1;
        }
    }
    return aLength < bLength ? -1 : (aLength > bLength ? 1 : 0);
}

uint32_t lowerBound(const uint8_t* p, const uint8_t* key, uint32_t length) {
    uint32_t lo = 0, hi = count(p);
    while (lo < hi) {
        uint32_t mid = (lo + hi) / 2;
        const uint8_t* e = p + offsetOf(p, mid);
        if (compare(e + LeafHeader, get16(e), key, length) < 0) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo;
}

uint32_t childFor(const uint8_t* p, const uint8_t* key, uint32_t length) {
    // The first entry (1..n) whose key is > `key`, minus one.
    uint32_t lo = 1, hi = count(p);
    while (lo < hi) {
        uint32_t mid = (lo + hi) / 2;
        const uint8_t* e = p + offsetOf(p, mid);
        if (compare(e + BranchHeader, get16(e), key, length) <= 0) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo - 1;
}

bool insertLeaf(uint8_t* p, uint32_t i, const uint8_t* key, uint32_t keyLength, const uint8_t* value,
                uint32_t valueLength, bool overflow) {
    uint8_t* at = nullptr;
    if (!placeEntry(p, i, leafEntrySize(keyLength, valueLength), at)) {
        return false;
    }
    put16(at, keyLength);
    put16(at + 2, overflow ? OverflowFlag : valueLength);
    std::memcpy(at + LeafHeader, key, keyLength);
    if (valueLength) {
        std::memcpy(at + LeafHeader + keyLength, value, valueLength);
    }
    return true;
}

bool insertBranch(uint8_t* p, uint32_t i, const uint8_t* key, uint32_t keyLength, uint32_t child,
                  uint64_t childTxn) {
    uint8_t* at = nullptr;
    if (!placeEntry(p, i, branchEntrySize(keyLength), at)) {
        return false;
    }
    put16(at, keyLength);
    put32(at + 2, child);
    put64(at + 6, childTxn);
    if (keyLength) {
        std::memcpy(at + BranchHeader, key, keyLength);
    }
    return true;
}

void remove(uint8_t* p, uint32_t i) {
    repack(p, i);
}

void setChild(uint8_t* p, uint32_t i, uint32_t child, uint64_t childTxn) {
    uint8_t* e = p + offsetOf(p, i);
    put32(e + 2, child);
    put64(e + 6, childTxn);
}

void moveTail(uint8_t* p, uint32_t from, uint8_t* to) {
    uint32_t n = count(p);
    for (uint32_t i = from; i < n; ++i) {
        uint32_t size = entrySize(p, i);
        uint8_t* at = nullptr;
        placeEntry(to, count(to), size, at);
        std::memcpy(at, p + offsetOf(p, i), size);
    }
    setCount(p, from);
    // Entries of the moved tail may sit anywhere in the data area: rebuild it.
    uint8_t copy[PageSize];
    std::memcpy(copy, p, PageSize);
    uint32_t start = PageSize;
    for (uint32_t i = 0; i < from; ++i) {
        uint32_t size = entrySize(copy, i);
        start -= size;
        std::memcpy(p + start, copy + offsetOf(copy, i), size);
        put16(slotAt(p, i), start);
    }
    put16(p + 24, start);
}

void appendAll(uint8_t* p, const uint8_t* from) {
    uint32_t n = count(from);
    for (uint32_t i = 0; i < n; ++i) {
        uint32_t size = entrySize(from, i);
        uint8_t* at = nullptr;
        placeEntry(p, count(p), size, at);
        std::memcpy(at, from + offsetOf(from, i), size);
    }
}

} // namespace runtime::files::page
