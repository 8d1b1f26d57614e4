// KeyedFile: the runtime's keyed-file driver. One object is one declaration of
// a file (its record buffer, memos and keys) and at most one open of it; two
// objects may open the same file, in one process or in several, each with its
// own locks. Every operation sets the calling thread's runtime error
// (runtime/sys/errors.h): errorcode() is 0 on success, and the bool results
// say the same.
//
// Keys are numbered from 0 in declaration order; PhysicalOrder stands for the
// order records were added in. A position is opaque text (at most 512 bytes)
// naming a record in an order; it stays usable after other records change.
//
// Reading: set... chooses an order and a starting point, next/previous read
// from it (33 at either end), get reads by exact key value (35 when missing),
// reget by position. Reads fill the record buffer and the memos.
// Writing: add, put (rewrites the record last read) and erase (deletes it);
// each commits on its own unless a Transaction or stream() is open. A record
// held by another open refuses put and erase with 43; a watched record that
// another open changed refuses them with 89.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/files/btree.h"
#include "runtime/files/declaration.h"

namespace runtime::files {

class FileHandle;
class Pager;
class Transaction;

// The open-mode byte: access in the low bits, sharing in the high nibble.
namespace mode {
inline constexpr uint8_t ReadOnly = 0x00;
inline constexpr uint8_t WriteOnly = 0x01;
inline constexpr uint8_t ReadWrite = 0x02;
inline constexpr uint8_t DenyAll = 0x10;
inline constexpr uint8_t DenyWrite = 0x20;
inline constexpr uint8_t DenyRead = 0x30;
inline constexpr uint8_t DenyNone = 0x40;
} // namespace mode

inline constexpr int PhysicalOrder = -1;

class KeyedFile {
public:
    // `record` is the caller's buffer of declaration.recordSize bytes; it must
    // outlive this object.
    KeyedFile(Declaration declaration, void* record);
    ~KeyedFile();
    KeyedFile(const KeyedFile&) = delete;
    KeyedFile& operator=(const KeyedFile&) = delete;

    const Declaration& declaration() const { return decl_; }
    void* record() const { return record_; }
    // Memo texts, loaded with every record read and stored by add and put (cut
    // to their declared sizes).
    std::string& memo(size_t index) { return memos_.at(index); }
    // Blanks text fields, zeroes the others (packed decimals too) and empties the memos.
    void clear();
    // The physical name: the name source's value when set, else the fixed name.
    std::string name() const;
    // The key with this name (case-insensitive), or -2 when there is none.
    int key(std::string_view name) const;

    bool create();
    bool open(uint8_t openMode = mode::ReadWrite | mode::DenyWrite);
    bool close();
    bool isOpen() const;
    bool remove();
    bool copyTo(const std::string& target);
    uint64_t records();
    // Rebuilds every key from the records (a closed file is opened exclusively
    // for it). Repairs damaged keys and the free list.
    bool buildKeys();
    // Checks every page, every key against the records and the free list.
    bool verify();
    // Driver options: "Recover=N" waits up to N seconds for locks held by other
    // opens (at the next open and writes), "QUICKSCAN=on|off" (accepted; reads
    // are buffered either way), "Sync=on|off" (commits sync to disk; on by
    // default). Returns the option's value now; unknown options are error 90.
    std::string send(std::string_view option);

    // Sequence.
    bool set(int order = PhysicalOrder);
    // Starts `key` at the value the record buffer holds: next reads the first
    // record >= it, previous the last record <= it.
    bool setAt(int key);
    // Like setAt, on the first `parts` parts of the key only.
    bool setAt(int key, size_t parts);
    bool next();
    bool previous();
    bool get(int key);
    bool reget(std::string_view position);
    // Starts the position's order at the position: next and previous both
    // read that record first when it still exists.
    bool reset(std::string_view position);
    // The last record read, in the current order (or in `order`).
    std::string position();
    std::string position(int order);
    // The record id of the last record read; get(id) by record id.
    uint32_t pointer() const;
    bool fetch(uint32_t id);

    bool add();
    bool put();
    bool erase();
    // The next read also holds its record (waiting up to `seconds` when another
    // open holds it, then 43); the hold lasts until release or a later hold.
    void hold(int seconds = 0);
    void release();
    // The next read remembers its record's version, for put and erase (89).
    void watch();
    // Buffered writing: changes collect until flush (or close), then commit at once.
    bool stream();
    bool flush();

private:
    friend class Transaction;
    enum class Seq { None, Start, Bound, OnEntry, After, Before };
    struct Loaded;

    template <typename Body>
    bool run(Body&& body, bool needOpen = true);
    void report(int32_t code, const std::string& systemCode = {}, const std::string& text = {});
    bool openLocked(uint8_t openMode, bool checkKeys);
    void closeLocked();
    void takeSharing(uint8_t openMode);
    void checkHeader();
    void quickCheck();

    Tree tree(int order);
    std::vector<uint8_t> keyEntry(size_t key, const void* record, uint32_t rid) const;
    bool seekCurrent(Cursor& c, bool forward);
    bool step(bool forward);
    bool load(uint32_t rid);
    bool readRecord(uint32_t rid, std::vector<uint8_t>& value, uint64_t* stamp);
    // Puts lookup_ on the record's entry in the records tree.
    bool findRecord(uint32_t rid);
    void fillBuffer(const std::vector<uint8_t>& value);
    bool findByKey(int key, size_t parts, uint32_t& rid);
    std::vector<uint8_t> encodeValue(uint64_t stamp) const;
    void storeValue(uint32_t rid, const std::vector<uint8_t>& value);
    void freeOverflow(uint32_t rid);
    void applyHoldAndWatch(uint32_t rid, uint64_t stamp);
    void checkNotHeldByOthers(uint32_t rid);
    bool storedAsIs();

    template <typename Change>
    void write(Change&& change);
    bool duplicate(size_t key, const std::vector<uint8_t>& entry, uint32_t rid);
    bool beginTransaction(int waitSeconds);
    bool commitTransaction();
    void rollbackTransaction();
    // The two phases of a commit over several files (transaction.h).
    bool prepareTransaction(uint64_t group, const std::string& intentPath);
    bool finishTransaction();
    uint64_t pendingTransaction() const;
    const std::string& absolutePath() const { return absolutePath_; }
    void lockWriter(int seconds);
    void unlockWriter();
    // Takes the writer's lock and starts a run of writes.
    void beginWriting(int waitSeconds);
    void finishWriting(bool durable, const char* brokenText);
    void checkWriteAccess();
    bool verifyLocked();
    void rebuildLocked();

    Declaration decl_;
    void* record_;
    std::vector<std::string> memos_;
    mutable std::recursive_mutex mutex_;

    std::string path_;
    std::string absolutePath_;
    std::unique_ptr<FileHandle> handle_;
    std::unique_ptr<Pager> pager_;
    bool canRead_ = false;
    bool canWrite_ = false;
    bool writerLocked_ = false;
    bool inTransaction_ = false;
    bool streaming_ = false;
    bool broken_ = false; // a write inside a transaction failed: only rollback remains
    int recoverSeconds_ = 0;
    bool quickScan_ = false;
    bool durable_ = true;

    int order_ = PhysicalOrder;
    Seq seq_ = Seq::None;
    std::vector<uint8_t> bound_;     // Bound: next reads the first entry >= this
    std::vector<uint8_t> boundHigh_; // Bound: previous reads the last entry <= this
    std::vector<uint8_t> last_;      // OnEntry: the full tree key of the entry read last
    Cursor cursor_;
    Cursor lookup_; // reused by look-ups of one record, which keeps their path off the heap
    // The records leaf a record was last found in, and the records tree it was
    // found in. While that tree's root is the same page of the same transaction
    // the whole tree is unchanged, so a look-up of the record again reads the
    // leaf alone instead of walking down to it. Kept outside write transactions.
    struct LeafHint {
        uint32_t rid = 0;
        uint32_t leaf = 0;
        uint64_t leafTxn = 0;
        uint32_t root = 0;
        uint64_t rootTxn = 0;
    };
    std::vector<LeafHint> leafHints_;
    uint64_t cursorTxn_ = 0;
    uint64_t generation_ = 0; // counts this object's own writes
    uint64_t cursorGeneration_ = 0;

    std::vector<uint8_t> scratch_; // the value of the record being read
    uint32_t current_ = 0;         // record id of the record read last
    bool holdNext_ = false;
    int holdSeconds_ = 0;
    uint32_t held_ = 0;
    bool watchNext_ = false;
    uint32_t watched_ = 0;
    uint64_t watchedStamp_ = 0;
};

} // namespace runtime::files
