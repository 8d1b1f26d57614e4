// The keyed file on disk, its locks and its crash-safety rules.
//
// Index: 1 File layout  2 Header  3 Meta slots  4 Pages  5 Trees and entries
//        6 Free list  7 Worked example  8 Locking protocol  9 Crash safety
//        10 Transactions over several files
//
// 1 FILE LAYOUT
// A file is a run of 4096-byte pages; integers are little-endian unless said
// otherwise. Page 0 holds the header and meta slot 0, page 1 meta slot 1 and the
// rest of the stored declaration; pages 2.. hold trees, overflow chains and the
// free list. Copy-on-write: a committed page is never changed in place; a
// transaction writes new pages and then a meta that points at them.
//
// 2 HEADER (page 0)
//   off  size  meaning
//   0    8     magic "RVKFILE" 0x1A
//   8    4     format version (2; an open refuses any other version with the
//              driver error "A keyed file of another format version")
//   12   4     page size (4096)
//   16   4     length of the stored declaration, L
//   20   4     low 32 bits of the checksum of the declaration bytes
//   24   8     synced mark: a transaction number whose pages are known durable
//   32   32    zero
//   64   ...   declaration bytes 0..min(L,3008); the rest at page 1 offset 1024
//   3072 1024  meta slot 0
// Declaration bytes: u32 record size; u16 field count, per field u8 type
// (field.h FieldType), u32 offset, u32 width, u8 digits, u8 places, u8 name
// length, name; u16 memo count, per memo u32 maximum size, name; u16 key count,
// per key u8 flags (1 duplicates, 2 no case, 4 optional, 8 primary), u8 part
// count, per part u16 field index and u8 descending, then the key's name.
//
// 3 META SLOTS (1024 bytes each, at file offsets 3072 and 4096)
//   off  size  meaning
//   0    8     checksum of bytes 8..1023
//   8    8     transaction number (2 for a new file); slot = number mod 2
//   16   4     page count (pages in use, the file may be longer)
//   20   4     next record id
//   24   8     record count
//   32   4     free-list head page (0 none)
//   36   4     free pages in the list's pages (those in the meta apart)
//   40   4     records tree root page (0 empty)
//   44   4     free pages listed in the meta itself, F (section 6)
//   48   8     transaction that wrote the records root
//   56   4     key count
//   64   24*k  per key: u32 root page, u32 zero, u64 root's transaction,
//              u64 entries in the key (k up to 32)
//   64+24*k 4*F  the free pages listed in the meta, u32 each; they end by 832
//   832  8     transaction that wrote the free-list head page
//   840  8     group: nonzero in a prepared meta (section 10), else 0
//   848  2     length P of the intent record's path (0 when group is 0)
//   850  P     that path, from this file's folder, '/' between names (P <= 174)
// The valid slot (checksum right, number of its parity) with the higher number
// is the current state; a prepared slot is valid only as section 10 says.
//
// 4 PAGES (pages 2..)
//   off  size  meaning
//   0    8     checksum of bytes 8..4095
//   8    8     transaction that wrote the page
//   16   4     the page's own number
//   20   1     kind: 1 leaf, 2 branch, 3 overflow, 4 free list
//   21   1     tree: 0 records, 1..32 key number, 255 none
//   22   2     entries (overflow: payload bytes)
//   24   2     start of entry data (entries fill the page from the end down)
//   26   2     level: 0 leaf, parents one more than their children
//   28   4     next page of a chain (overflow, free list), else 0
//   32   ...   leaf/branch: u16 offsets of the entries in key order;
//              overflow: payload; free list: u32 page numbers
// The checksum is a 64-bit multiply-rotate hash of the bytes after it
// (checksum.cpp: four lanes over 8-byte little-endian words, the tail byte by
// byte, then a final mix); a reader takes a page only when the checksum, the
// page number and the transaction its parent names all agree. A reader that
// trusts the file may skip the checksums: everything else stands alone.
//
// 5 TREES AND ENTRIES
// B+trees ordered by unsigned byte comparison of whole keys.
// Leaf entry:   u16 key length, u16 value length (bit 15: the value is in an
//               overflow chain), key, value; an overflow value is stored as
//               u32 total length, u32 first page, u64 its transaction.
// Branch entry: u16 key length, u32 child page, u64 child's transaction, key;
//               child i holds the keys >= key i and < key i+1 (key 0 is empty).
// Records tree: key = record id, u32 big-endian; value = u64 write stamp (the
//   transaction that last wrote the record), the record bytes, then per memo
//   u32 length and its bytes.
// Key trees: key = the key's ordered bytes followed by the record id, u32
//   big-endian; no value. Duplicate key values are told apart by the record
//   id; optional keys leave out rows with empty key fields. Ordered bytes, per
//   part, so that unsigned byte order is the key's order:
//     text       its width in bytes, NUL read as space, upper-cased for no-case
//                keys (ASCII letters only)
//     Byte       the byte
//     UShort, ULong        the value, big-endian (2, 4 bytes)
//     Short, Long, Date    the value with its sign bit flipped, big-endian
//     Decimal    the packed digits as a signed integer (no decimal point),
//                sign bit flipped, 8 bytes big-endian
//   A descending part has every byte of it inverted.
//
// 6 FREE LIST
// The meta lists up to (768 - 24*k)/4 free page numbers itself; the rest are in
// a chain of free-list pages from the meta's head, each listing free page
// numbers. A small change frees and takes a few pages, which then fit in the
// meta, so it writes no free-list page. Pages freed by a transaction are only
// reused by later ones.
//
// 7 WORKED EXAMPLE
// A new customer file (115-byte record: CUSTNO Long at 0, NAME text 30 at 4,
// ...; key 1 BYNUMBER unique, key 2 BYNAME duplicates, both no case and
// optional) is 8192 bytes: the header, its 213 declaration bytes at 64, the
// synced mark 2, meta slot 0 holding transaction 2 (page count 2, next record
// id 1, key count 2, no roots, no free pages) and slot 1 all zero.
// Adding customer 7 "Acme" commits transaction 3 and makes the file 20480
// bytes. Page 2, the records leaf, begins
//   <checksum 8> 03 00 00 00 00 00 00 00  02 00 00 00  01 00  01 00  7d 0f 00 00
//   00 00 00 00  7d 0f ...                (txn 3, page 2, leaf, tree 0, one
//                                          entry at 3965, level 0, next 0,
//                                          offset table: 3965)
// and holds at offset 3965 the entry
//   04 00 7b 00  00 00 00 01  03 00 00 00 00 00 00 00  07 00 00 00 41 63 6d 65 ...
//   (key 4 bytes, value 123 bytes; record id 1; write stamp 3; the record:
//    CUSTNO 7 little-endian, "Acme" and 26 spaces, ...)
// Page 3, the key 1 leaf (tree 1), holds at 4084
//   08 00 00 00  80 00 00 07  00 00 00 01      (Long 7 with its sign flipped; id 1)
// and page 4, the key 2 leaf (tree 2), holds at 4058
//   22 00 00 00  41 43 4d 45 20 ... 20  00 00 00 01   ("ACME" and 26 spaces; id 1)
// Meta slot 1 (file offset 4096; 3 is odd) then reads: txn 3, page count 5,
// next record id 2, records 1, no free list, records root 2 written by 3, key
// count 2, key 1 root 3 (txn 3, 1 entry), key 2 root 4 (txn 3, 1 entry). The
// commit was durable, so the synced mark at offset 24 reads 3. A reader finds
// customer 7 by walking key 1 from page 3 for 80 00 00 07, taking the record id
// after it, and walking the records tree from page 2 for 00 00 00 01.
//
// 8 LOCKING PROTOCOL
// Operating-system byte-range locks (one per open, so two opens in one process
// exclude each other) on bytes at LockBase and above, far past any data: no
// data ever lives in locked bytes, since Windows locks are mandatory for reads
// and writes. Locks of a process that dies are released by the system, so a
// lock left behind is never a manual repair; "Recover=N" only bounds the wait.
//   Gate        exclusive while an open, create, remove or copy sorts out the
//               sharing; held for moments only.
//   Opened      shared by every open; create and remove test it exclusively.
//   ReadAccess, WriteAccess   shared by opens that read, or write.
//   DenyRead, DenyWrite       shared by opens that deny others reading, or
//               writing. An open tests (exclusively, under the gate) the bytes
//               of what it wants and of what it denies, then takes its own.
//   Writer      exclusive for the length of a write transaction; the writer
//               reads the current meta after taking it.
//   HoldBase+id exclusive while an open holds record id.
//
// 9 CRASH SAFETY (a process may die at any instant)
//   I1 A meta is written only after every page it points at has been written.
//   I2 A page that a committed meta reaches is never written again; pages a
//      transaction frees are reused only by later transactions.
//   I3 The slots alternate by transaction number, so the newest committed
//      meta is never overwritten by the next transaction.
//   I4 Every page and meta carries a checksum and its transaction number, and
//      parents record their children's numbers; torn or reused pages are seen.
//   I5 A durable commit syncs once, after the meta. The synced mark is written
//      only after that sync returns; an open that finds the newest meta not
//      marked checks every page of that transaction and falls back to the
//      previous meta when one is missing (power loss, not a killed process).
//   I6 Pages of a transaction that did not commit are never cached, and
//      transaction numbers only grow, so no stale copy is ever taken.
//   I7 A prepared meta counts only while the complete intent record of its
//      group exists, or once made final. The record is written only after
//      every participant's pages and prepared meta (synced, when durable), and
//      removed only after every participant's final meta (synced likewise).
//
// 10 TRANSACTIONS OVER SEVERAL FILES
// Each file holds its own writer lock from begin to the end of commit. Commit:
//   1 each file writes its pages and, into its next slot, a prepared meta:
//     the new state with a group number and the path of the intent record;
//   2 the intent record "<first file>.<group as 16 hex digits>.txn" is
//     written beside the first file: its complete presence is the commit;
//   3 each file rewrites the same slot with the final meta (group 0);
//   4 the record is removed.
// Reading a prepared meta: it counts when the record exists, is complete and
// names its group; otherwise the slot counts as empty and the other slot is
// the state. A writer that finds a prepared meta (the committer is gone, as
// it held the writer lock) makes it final when it counts; when not, it writes
// the other slot's state into it under the prepared number and removes an
// incomplete record. A record is removed once none of its files holds a
// prepared meta of its group; an open for writing of the first file removes
// such leftovers.
// Intent record: 0 8 magic "RVKFINT" 0x1A; 8 8 group; 16 4 file count n; per
// file u64 the transaction it prepared, u16 path length, the path from the
// record's folder; then u64 checksum (as pages) of every byte before it.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace runtime::files::format {

inline constexpr uint32_t PageSize = 4096;
inline constexpr uint32_t Version = 2;
inline constexpr char Magic[8] = {'R', 'V', 'K', 'F', 'I', 'L', 'E', 0x1A};

inline constexpr uint32_t HeaderDeclLength = 16;
inline constexpr uint32_t HeaderDeclChecksum = 20;
inline constexpr uint32_t HeaderSyncedMark = 24;
inline constexpr uint32_t HeaderDeclStart = 64;
inline constexpr uint32_t HeaderDeclRoom = 3008;
inline constexpr uint32_t Page1DeclStart = PageSize + 1024;
inline constexpr uint32_t Page1DeclRoom = 3072;
inline constexpr uint32_t MetaSize = 1024;
inline constexpr uint64_t MetaOffset[2] = {3072, 4096};
inline constexpr uint32_t MetaFreeInline = 44;
inline constexpr uint32_t MetaKeys = 64;
inline constexpr uint32_t MetaKeysEnd = 832;
inline constexpr uint32_t MaxKeys = 32;
inline constexpr uint32_t MetaGroup = 840;
inline constexpr uint32_t MetaIntentRoom = MetaSize - MetaGroup - 10;
inline constexpr uint32_t FirstDataPage = 2;
inline constexpr uint32_t MaxPages = 1u << 28; // 1 TB, below LockBase

inline constexpr uint8_t KindLeaf = 1;
inline constexpr uint8_t KindBranch = 2;
inline constexpr uint8_t KindOverflow = 3;
inline constexpr uint8_t KindFreeList = 4;
inline constexpr uint8_t TreeRecords = 0;
inline constexpr uint8_t TreeNone = 255;
inline constexpr uint32_t PageHeaderSize = 32;
inline constexpr uint32_t MaxLevels = 32;
inline constexpr uint32_t OverflowFlag = 0x8000;
inline constexpr uint32_t OverflowRefSize = 16;
inline constexpr uint32_t FreeListCapacity = (PageSize - PageHeaderSize) / 4;
inline constexpr uint32_t OverflowCapacity = PageSize - PageHeaderSize;
// Larger leaf entries keep their value in an overflow chain, so that every leaf
// holds at least four entries.
inline constexpr uint32_t MaxInlineEntry = 960;

// Lock bytes (section 8).
inline constexpr uint64_t LockBase = 1ull << 40;
inline constexpr uint64_t LockGate = LockBase + 0;
inline constexpr uint64_t LockOpened = LockBase + 1;
inline constexpr uint64_t LockReadAccess = LockBase + 2;
inline constexpr uint64_t LockWriteAccess = LockBase + 3;
inline constexpr uint64_t LockDenyRead = LockBase + 4;
inline constexpr uint64_t LockDenyWrite = LockBase + 5;
inline constexpr uint64_t LockWriter = LockBase + 6;
inline constexpr uint64_t LockHoldBase = LockBase + 4096;

inline uint16_t get16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t get32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline uint64_t get64(const uint8_t* p) {
    return static_cast<uint64_t>(get32(p)) | (static_cast<uint64_t>(get32(p + 4)) << 32);
}
inline void put16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void put32(uint8_t* p, uint32_t v) {
    put16(p, v & 0xFFFF);
    put16(p + 2, v >> 16);
}
inline void put64(uint8_t* p, uint64_t v) {
    put32(p, static_cast<uint32_t>(v));
    put32(p + 4, static_cast<uint32_t>(v >> 32));
}
inline uint32_t getBig32(const uint8_t* p) {
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | p[3];
}
inline void putBig32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v >> 24);
    p[1] = static_cast<uint8_t>(v >> 16);
    p[2] = static_cast<uint8_t>(v >> 8);
    p[3] = static_cast<uint8_t>(v);
}

uint64_t checksum(const uint8_t* data, size_t size);

struct KeyRoot {
    uint32_t page = 0;
    uint64_t txn = 0;
    uint64_t entries = 0;
};

struct Meta {
    uint64_t txn = 0;
    uint32_t pageCount = FirstDataPage;
    uint32_t nextRid = 1;
    uint64_t records = 0;
    uint32_t freeHead = 0;
    uint32_t freeCount = 0;
    uint64_t freeHeadTxn = 0;
    uint32_t recordsRoot = 0;
    uint64_t recordsRootTxn = 0;
    uint32_t keyCount = 0;
    KeyRoot keys[MaxKeys];
    std::vector<uint32_t> freeInline; // free pages listed in the meta itself
    uint64_t group = 0;               // prepared for a transaction over several files (0: final)
    std::string intentPath;           // that transaction's intent record, from this file's folder
};

// Free page numbers a meta of a file with `keyCount` keys has room for.
inline uint32_t inlineFreeRoom(uint32_t keyCount) {
    return keyCount > MaxKeys ? 0 : (MetaKeysEnd - MetaKeys - 24 * keyCount) / 4;
}

void encodeMeta(const Meta& meta, uint8_t* out);
// False when the checksum or the contents are wrong.
bool decodeMeta(const uint8_t* in, Meta& meta);

} // namespace runtime::files::format
