// KeyedFile: declaration, open and close with DOS sharing, create, remove,
// copy, options. Reading is in keyed_file_read.cpp, writing in
// keyed_file_write.cpp, key rebuilding and verification in maintenance.cpp.
#include "runtime/files/keyed_file.h"

#include <chrono>
#include <filesystem>
#include <thread>

#include "runtime/files/failure.h"
#include "runtime/files/intent.h"
#include "runtime/files/keyed_file_run.h"
#include "runtime/files/locks.h"
#include "runtime/files/page.h"
#include "runtime/files/pager.h"
#include "runtime/sys/errors.h"
#include "runtime/text/strings.h"

namespace runtime::files {
namespace {

constexpr size_t CachePages = 4096; // 16 MB of committed pages per open
constexpr int GateWaitSeconds = 5;  // the gate is held for moments, unless a create or copy runs

void check(const IoError& e) {
    if (e) {
        failIo(e);
    }
}

bool wantsRead(uint8_t m) {
    return (m & 3) != mode::WriteOnly;
}
bool wantsWrite(uint8_t m) {
    return (m & 3) != mode::ReadOnly;
}
bool deniesRead(uint8_t m) {
    return (m & 0xF0) == mode::DenyAll || (m & 0xF0) == mode::DenyRead;
}
bool deniesWrite(uint8_t m) {
    uint8_t share = m & 0xF0;
    return share == mode::DenyAll || share == mode::DenyWrite || share == 0;
}

std::unique_ptr<FileHandle> openHandle(const std::string& path, bool preferWritable) {
    IoError e;
    auto h = fileSystem().open(path, OpenHow::Existing, true, e);
    if (!h && e.code == err::AccessDenied && !preferWritable) {
        h = fileSystem().open(path, OpenHow::Existing, false, e);
    }
    if (!h) {
        failIo(e);
    }
    return h;
}

// Holds the gate for its lifetime.
class Gate {
public:
    Gate(FileHandle& h, int seconds) : h_(h) {
        if (!lockWaiting(h_, format::LockGate, seconds)) {
            fail(err::FileLocked);
        }
    }
    ~Gate() { h_.unlock(format::LockGate, 1); }
    Gate(const Gate&) = delete;
    Gate& operator=(const Gate&) = delete;

private:
    FileHandle& h_;
};

void writeNewFile(FileHandle& h, const std::vector<uint8_t>& layout, size_t keyCount) {
    std::vector<uint8_t> bytes(2 * format::PageSize, 0);
    std::memcpy(bytes.data(), format::Magic, sizeof format::Magic);
    format::put32(bytes.data() + 8, format::Version);
    format::put32(bytes.data() + 12, format::PageSize);
    format::put32(bytes.data() + format::HeaderDeclLength, static_cast<uint32_t>(layout.size()));
    format::put32(bytes.data() + format::HeaderDeclChecksum,
                  static_cast<uint32_t>(format::checksum(layout.data(), layout.size())));
    size_t first = std::min<size_t>(layout.size(), format::HeaderDeclRoom);
    std::memcpy(bytes.data() + format::HeaderDeclStart, layout.data(), first);
    std::memcpy(bytes.data() + format::Page1DeclStart, layout.data() + first, layout.size() - first);
    format::Meta meta;
    meta.txn = 2; // slot 0
    meta.keyCount = static_cast<uint32_t>(keyCount);
    format::encodeMeta(meta, bytes.data() + format::MetaOffset[0]);
    format::put64(bytes.data() + format::HeaderSyncedMark, meta.txn);
    check(h.truncate(0));
    check(h.write(0, bytes.data(), bytes.size()));
    check(h.sync());
}

} // namespace

KeyedFile::KeyedFile(Declaration declaration, void* record)
    : decl_(std::move(declaration)), record_(record), memos_(decl_.memos.size()) {}

KeyedFile::~KeyedFile() {
    std::lock_guard lock(mutex_);
    try {
        if (streaming_ && !broken_) {
            pager_->commit(durable_);
        }
    } catch (const Failure&) {
    }
    closeLocked();
}

void KeyedFile::report(int32_t code, const std::string& systemCode, const std::string& text) {
    if (code == err::DriverError) {
        setDriverError(systemCode, text);
    } else {
        setError(code);
    }
}

std::string KeyedFile::name() const {
    std::string n = decl_.nameSource ? decl_.nameSource() : decl_.fileName;
    return std::string(text::trim(n));
}

int KeyedFile::key(std::string_view name) const {
    for (size_t k = 0; k < decl_.keys.size(); ++k) {
        if (text::equalNoCase(decl_.keys[k].name, name)) {
            return static_cast<int>(k);
        }
    }
    return -2;
}

void KeyedFile::clear() {
    std::lock_guard lock(mutex_);
    std::memset(record_, 0, decl_.recordSize);
    for (const Field& f : decl_.fields) {
        if (f.isText()) {
            writeText(f, record_, "");
        } else {
            writeNumber(f, record_, 0);
        }
    }
    for (std::string& m : memos_) {
        m.clear();
    }
}

bool KeyedFile::isOpen() const {
    std::lock_guard lock(mutex_);
    return pager_ != nullptr;
}

bool KeyedFile::create() {
    return run(
        [&] {
            if (pager_) {
                fail(err::AlreadyOpen);
            }
            if (!checkDeclaration(decl_).empty()) {
                fail(err::InvalidDeclaration);
            }
            std::string path = name();
            if (path.empty()) {
                fail(err::FileNotFound);
            }
            IoError e;
            auto h = fileSystem().open(path, OpenHow::Existing, true, e);
            if (!h && e.code == err::FileNotFound) {
                h = fileSystem().open(path, OpenHow::CreateOrTruncate, true, e);
            }
            if (!h) {
                failIo(e);
            }
            Gate gate(*h, std::max(recoverSeconds_, GateWaitSeconds));
            if (heldByOthers(*h, format::LockOpened)) {
                fail(err::AccessDenied);
            }
            writeNewFile(*h, encodeLayout(decl_), decl_.keys.size());
            return true;
        },
        false);
}

bool KeyedFile::open(uint8_t openMode) {
    return run([&] { return openLocked(openMode, true); }, false);
}

bool KeyedFile::openLocked(uint8_t openMode, bool checkKeys) {
    if (pager_) {
        fail(err::AlreadyOpen);
    }
    if (!checkDeclaration(decl_).empty()) {
        fail(err::InvalidDeclaration);
    }
    path_ = name();
    if (path_.empty()) {
        fail(err::FileNotFound);
    }
    handle_ = openHandle(path_, wantsWrite(openMode));
    try {
        takeSharing(openMode);
        checkHeader();
        std::error_code ignored;
        absolutePath_ = std::filesystem::absolute(path_, ignored).lexically_normal().string();
        pager_ = std::make_unique<Pager>(*handle_, CachePages, absolutePath_);
        uint8_t mark[8];
        size_t got = 0;
        check(handle_->read(format::HeaderSyncedMark, mark, sizeof mark, got));
        pager_->refresh();
        if (format::get64(mark) != pager_->committedTxn() || (canWrite_ && pager_->anyPrepared())) {
            lockWriter(std::max(recoverSeconds_, GateWaitSeconds));
            try {
                pager_->checkNewest(canWrite_);
            } catch (...) {
                unlockWriter();
                throw;
            }
            unlockWriter();
        }
        if (pager_->meta().keyCount != decl_.keys.size()) {
            failDriver(driver::Damaged, "The meta names another number of keys than the header");
        }
        if (checkKeys) {
            quickCheck();
        }
        if (canWrite_) {
            intent::removeSettledBeside(absolutePath_);
        }
    } catch (...) {
        closeLocked();
        throw;
    }
    order_ = PhysicalOrder;
    seq_ = Seq::None;
    current_ = 0;
    return true;
}

void KeyedFile::takeSharing(uint8_t openMode) {
    canRead_ = wantsRead(openMode);
    canWrite_ = wantsWrite(openMode);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(recoverSeconds_);
    for (;;) {
        {
            Gate gate(*handle_, std::max(recoverSeconds_, GateWaitSeconds));
            bool conflict = (canRead_ && heldByOthers(*handle_, format::LockDenyRead)) ||
                            (canWrite_ && heldByOthers(*handle_, format::LockDenyWrite)) ||
                            (deniesRead(openMode) && heldByOthers(*handle_, format::LockReadAccess)) ||
                            (deniesWrite(openMode) && heldByOthers(*handle_, format::LockWriteAccess));
            if (!conflict) {
                handle_->lock(format::LockOpened, 1, false);
                if (canRead_) {
                    handle_->lock(format::LockReadAccess, 1, false);
                }
                if (canWrite_) {
                    handle_->lock(format::LockWriteAccess, 1, false);
                }
                if (deniesRead(openMode)) {
                    handle_->lock(format::LockDenyRead, 1, false);
                }
                if (deniesWrite(openMode)) {
                    handle_->lock(format::LockDenyWrite, 1, false);
                }
                return;
            }
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            fail(err::AccessDenied);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void KeyedFile::checkHeader() {
    uint64_t size = 0;
    check(handle_->size(size));
    std::vector<uint8_t> head(2 * format::PageSize);
    size_t got = 0;
    check(handle_->read(0, head.data(), head.size(), got));
    if (size < head.size() || got < head.size() || std::memcmp(head.data(), format::Magic, 8) != 0) {
        failDriver(driver::NotKeyedFile, "Not a keyed file");
    }
    if (format::get32(head.data() + 8) != format::Version ||
        format::get32(head.data() + 12) != format::PageSize) {
        failDriver(driver::NotKeyedFile, "A keyed file of another format version");
    }
    uint32_t length = format::get32(head.data() + format::HeaderDeclLength);
    if (length > format::HeaderDeclRoom + format::Page1DeclRoom) {
        failDriver(driver::Damaged, "Damaged header");
    }
    std::vector<uint8_t> layout(length);
    size_t first = std::min<size_t>(length, format::HeaderDeclRoom);
    std::memcpy(layout.data(), head.data() + format::HeaderDeclStart, first);
    std::memcpy(layout.data() + first, head.data() + format::Page1DeclStart, length - first);
    if (format::get32(head.data() + format::HeaderDeclChecksum) !=
        static_cast<uint32_t>(format::checksum(layout.data(), layout.size()))) {
        failDriver(driver::Damaged, "Damaged header");
    }
    if (!sameLayout(layout, decl_)) {
        fail(err::InvalidDeclaration);
    }
}

void KeyedFile::quickCheck() {
    // Small files are checked whole at open, so that damage shows as 46 where
    // it can be repaired; larger ones show it when a damaged page is read.
    constexpr uint32_t WholeCheckPages = 256;
    if (pager_->meta().pageCount <= WholeCheckPages) {
        if (!verifyLocked()) {
            throw Failure{errorcode(), fileerrorcode(), fileerror()};
        }
        return;
    }
    for (size_t k = 0; k < decl_.keys.size(); ++k) {
        Cursor c;
        tree(static_cast<int>(k)).first(c);
    }
}

void KeyedFile::closeLocked() {
    if (pager_ && pager_->writing()) {
        pager_->rollback();
    }
    if (handle_ && writerLocked_) {
        unlockWriter();
    }
    if (handle_ && held_) {
        handle_->unlock(format::LockHoldBase + held_, 1);
    }
    pager_.reset();
    handle_.reset(); // closing the handle drops every lock it holds
    held_ = 0;
    inTransaction_ = streaming_ = broken_ = false;
    seq_ = Seq::None;
    cursor_.path.clear();
    current_ = 0;
}

bool KeyedFile::close() {
    return run([&] {
        bool ok = true;
        if (streaming_ && !broken_) {
            try {
                pager_->commit(durable_);
            } catch (const Failure& f) {
                report(f.code, f.systemCode, f.text);
                ok = false;
            }
        }
        closeLocked();
        return ok;
    });
}

bool KeyedFile::remove() {
    return run(
        [&] {
            if (pager_) {
                fail(err::AccessDenied);
            }
            std::string path = name();
            auto h = openHandle(path, true);
            Gate gate(*h, std::max(recoverSeconds_, GateWaitSeconds));
            if (heldByOthers(*h, format::LockOpened)) {
                fail(err::AccessDenied);
            }
            check(fileSystem().remove(path));
            return true;
        },
        false);
}

bool KeyedFile::copyTo(const std::string& target) {
    return run(
        [&] {
            std::string source = pager_ ? path_ : name();
            auto from = openHandle(source, false);
            // No commit may land while the bytes are copied.
            if (!lockWaiting(*from, format::LockWriter, std::max(recoverSeconds_, GateWaitSeconds))) {
                fail(err::FileLocked);
            }
            struct Unlock {
                FileHandle& h;
                ~Unlock() { h.unlock(format::LockWriter, 1); }
            } unlock{*from};
            IoError e;
            auto to = fileSystem().open(target, OpenHow::Existing, true, e);
            if (!to && e.code == err::FileNotFound) {
                to = fileSystem().open(target, OpenHow::CreateOrTruncate, true, e);
            }
            if (!to) {
                failIo(e);
            }
            Gate gate(*to, std::max(recoverSeconds_, GateWaitSeconds));
            if (heldByOthers(*to, format::LockOpened)) {
                fail(err::AccessDenied);
            }
            check(to->truncate(0));
            std::vector<uint8_t> buffer(1 << 20);
            for (uint64_t at = 0;;) {
                size_t got = 0;
                check(from->read(at, buffer.data(), buffer.size(), got));
                if (got == 0) {
                    break;
                }
                check(to->write(at, buffer.data(), got));
                at += got;
            }
            check(to->sync());
            return true;
        },
        false);
}

uint64_t KeyedFile::records() {
    uint64_t n = 0;
    run([&] {
        n = pager_->meta().records;
        return true;
    });
    return n;
}

std::string KeyedFile::send(std::string_view option) {
    std::lock_guard lock(mutex_);
    clearError();
    size_t eq = option.find('=');
    std::string_view name = text::trim(option.substr(0, eq));
    std::string_view value =
        eq == std::string_view::npos ? std::string_view{} : text::trim(option.substr(eq + 1));
    auto onOff = [&](bool& flag) {
        if (text::equalNoCase(value, "on")) {
            flag = true;
        } else if (text::equalNoCase(value, "off")) {
            flag = false;
        } else if (!value.empty()) {
            setDriverError(driver::BadOption, "Option values are on or off");
        }
        return std::string(flag ? "on" : "off");
    };
    if (text::equalNoCase(name, "Recover")) {
        if (!value.empty()) {
            int seconds = 0;
            for (char c : value) {
                if (c < '0' || c > '9' || seconds > 100000) {
                    setDriverError(driver::BadOption, "Recover takes a number of seconds");
                    return std::to_string(recoverSeconds_);
                }
                seconds = seconds * 10 + (c - '0');
            }
            recoverSeconds_ = seconds;
        }
        return std::to_string(recoverSeconds_);
    }
    if (text::equalNoCase(name, "QUICKSCAN")) {
        return onOff(quickScan_);
    }
    if (text::equalNoCase(name, "Sync")) {
        return onOff(durable_);
    }
    setDriverError(driver::BadOption, "Unknown option " + std::string(name));
    return {};
}

} // namespace runtime::files
