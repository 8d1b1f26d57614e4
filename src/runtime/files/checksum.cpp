#include <algorithm>

#include "runtime/files/format.h"

namespace runtime::files::format {
namespace {

constexpr uint64_t K1 = 0x9E3779B185EBCA87ull;
constexpr uint64_t K2 = 0xC2B2AE3D27D4EB4Full;
constexpr uint64_t K3 = 0x165667B19E3779F9ull;

inline uint64_t rotl(uint64_t x, int r) {
    return (x << r) | (x >> (64 - r));
}
inline uint64_t load(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    return v; // both targets are little-endian
}
inline uint64_t round(uint64_t acc, uint64_t lane) {
    return rotl(acc + lane * K2, 31) * K1;
}

} // namespace

// Four independent lanes keep the multiplier busy: a page costs well under a
// microsecond, which matters because every page read from disk is checked.
uint64_t checksum(const uint8_t* data, size_t size) {
    uint64_t a = K1 + K2, b = K2, c = 0, d = 0 - K1;
    size_t i = 0;
    for (; i + 32 <= size; i += 32) {
        a = round(a, load(data + i));
        b = round(b, load(data + i + 8));
        c = round(c, load(data + i + 16));
        d = round(d, load(data + i + 24));
    }
    uint64_t h = rotl(a, 1) + rotl(b, 7) + rotl(c, 12) + rotl(d, 18) + size;
    for (; i < size; ++i) {
        h = rotl(h ^ (data[i] * K3), 11) * K1;
    }
    h ^= h >> 33;
    h *= K2;
    h ^= h >> 29;
    h *= K3;
    h ^= h >> 32;
    return h;
}

void encodeMeta(const Meta& m, uint8_t* out) {
    std::memset(out, 0, MetaSize);
    put64(out + 8, m.txn);
    put32(out + 16, m.pageCount);
    put32(out + 20, m.nextRid);
    put64(out + 24, m.records);
    put32(out + 32, m.freeHead);
    put32(out + 36, m.freeCount);
    put32(out + 40, m.recordsRoot);
    put64(out + 48, m.recordsRootTxn);
    put32(out + 56, m.keyCount);
    put64(out + 832, m.freeHeadTxn);
    if (m.group) {
        size_t n = std::min<size_t>(m.intentPath.size(), MetaIntentRoom);
        put64(out + MetaGroup, m.group);
        put16(out + MetaGroup + 8, static_cast<uint32_t>(n));
        std::memcpy(out + MetaGroup + 10, m.intentPath.data(), n);
    }
    for (uint32_t k = 0; k < m.keyCount && k < MaxKeys; ++k) {
        uint8_t* at = out + MetaKeys + 24 * k;
        put32(at, m.keys[k].page);
        put64(at + 8, m.keys[k].txn);
        put64(at + 16, m.keys[k].entries);
    }
    uint32_t listed =
        static_cast<uint32_t>(std::min<size_t>(m.freeInline.size(), inlineFreeRoom(m.keyCount)));
    put32(out + MetaFreeInline, listed);
    for (uint32_t i = 0; i < listed; ++i) {
        put32(out + MetaKeys + 24 * m.keyCount + 4 * i, m.freeInline[i]);
    }
    put64(out, checksum(out + 8, MetaSize - 8));
}

bool decodeMeta(const uint8_t* in, Meta& m) {
    if (get64(in) != checksum(in + 8, MetaSize - 8)) {
        return false;
    }
    m.txn = get64(in + 8);
    m.pageCount = get32(in + 16);
    m.nextRid = get32(in + 20);
    m.records = get64(in + 24);
    m.freeHead = get32(in + 32);
    m.freeCount = get32(in + 36);
    m.recordsRoot = get32(in + 40);
    m.recordsRootTxn = get64(in + 48);
    m.keyCount = get32(in + 56);
    m.freeHeadTxn = get64(in + 832);
    m.group = get64(in + MetaGroup);
    uint32_t intentLength = get16(in + MetaGroup + 8);
    if (intentLength > MetaIntentRoom || (m.group == 0) != (intentLength == 0)) {
        return false;
    }
    m.intentPath.assign(reinterpret_cast<const char*>(in + MetaGroup + 10), intentLength);
    if (m.txn == 0 || m.keyCount > MaxKeys || m.pageCount < FirstDataPage || m.pageCount > MaxPages) {
        return false;
    }
    auto inRange = [&](uint32_t page) { return page == 0 || (page >= FirstDataPage && page < m.pageCount); };
    if (!inRange(m.freeHead) || !inRange(m.recordsRoot)) {
        return false;
    }
    for (uint32_t k = 0; k < m.keyCount; ++k) {
        const uint8_t* at = in + MetaKeys + 24 * k;
        m.keys[k].page = get32(at);
        m.keys[k].txn = get64(at + 8);
        m.keys[k].entries = get64(at + 16);
        if (!inRange(m.keys[k].page)) {
            return false;
        }
    }
    uint32_t listed = get32(in + MetaFreeInline);
    if (listed > inlineFreeRoom(m.keyCount)) {
        return false;
    }
    m.freeInline.resize(listed);
    for (uint32_t i = 0; i < listed; ++i) {
        m.freeInline[i] = get32(in + MetaKeys + 24 * m.keyCount + 4 * i);
        if (m.freeInline[i] == 0 || !inRange(m.freeInline[i])) {
            return false;
        }
    }
    return true;
}

} // namespace runtime::files::format
