// The one layer between the keyed-file engine and the operating system:
// positional reads and writes, sync, size, and byte-range locks that belong to
// one open (two opens in one process exclude each other) and die with their
// process. Tests install their own FileSystem to inject failures.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace runtime::files {

// An operating-system failure as the runtime reports it: a runtime error code
// (2, 3, 5, 32 or 90) and, for 90, the system's own code and text.
struct IoError {
    int32_t code = 0;
    std::string systemCode;
    std::string text;
    explicit operator bool() const { return code != 0; }
};

enum class LockResult { Granted, Busy, Failed };

class FileHandle {
public:
    virtual ~FileHandle() = default;
    // Reads up to `size` bytes; `got` is less at the end of the file.
    virtual IoError read(uint64_t offset, void* data, size_t size, size_t& got) = 0;
    virtual IoError write(uint64_t offset, const void* data, size_t size) = 0;
    virtual IoError sync() = 0;
    virtual IoError size(uint64_t& bytes) = 0;
    virtual IoError truncate(uint64_t bytes) = 0;
    // Never waits: Busy when another open holds a conflicting lock.
    virtual LockResult lock(uint64_t offset, uint64_t length, bool exclusive) = 0;
    virtual void unlock(uint64_t offset, uint64_t length) = 0;
    // True when another open holds a lock that an exclusive one here would
    // meet. Systems that can ask without locking answer in one call.
    virtual bool lockedByOthers(uint64_t offset, uint64_t length) {
        LockResult r = lock(offset, length, true);
        if (r == LockResult::Granted) {
            unlock(offset, length);
        }
        return r == LockResult::Busy;
    }
    // A read-only view of the first `bytes` bytes of the file, kept current with
    // every open's writes; nullptr when the system cannot give one.
    virtual const uint8_t* mapHead(size_t bytes) = 0;
    // A read-only view of `bytes` bytes from `offset` (a multiple of 64 KB),
    // which must lie within the file; it stays valid while the handle lives.
    // nullptr when the system cannot give one: reads then take their copies.
    virtual const uint8_t* mapRange(uint64_t offset, size_t bytes) {
        (void)offset;
        (void)bytes;
        return nullptr;
    }
};

enum class OpenHow { Existing, CreateOrTruncate };

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual std::unique_ptr<FileHandle> open(const std::string& path, OpenHow how, bool writable,
                                             IoError& error) = 0;
    virtual IoError remove(const std::string& path) = 0;
    // Makes the folder entry of a file just created durable, where the system
    // keeps it apart from the file's own data.
    virtual IoError syncFolder(const std::string& path) {
        (void)path;
        return {};
    }
};

// The operating system's file system.
FileSystem& systemFileSystem();
// The file system the engine uses: the system's unless a test installed another.
FileSystem& fileSystem();
// Installs `fs` (nullptr restores the system's); for tests.
void setFileSystem(FileSystem* fs);

} // namespace runtime::files
