#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "runtime/files/io.h"
#include "runtime/sys/errors.h"

namespace runtime::files {
namespace {

IoError systemError(DWORD number) {
    IoError e;
    switch (number) {
    case ERROR_SUCCESS:
        return e;
    case ERROR_FILE_NOT_FOUND:
        e.code = err::FileNotFound;
        break;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
        e.code = err::PathNotFound;
        break;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        e.code = err::AccessDenied;
        break;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        e.code = err::FileLocked;
        break;
    case ERROR_TOO_MANY_OPEN_FILES:
        e.code = err::TooManyFiles;
        break;
    default:
        e.code = err::DriverError;
        break;
    }
    e.systemCode = std::to_string(number);
    char buffer[256] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, number, 0,
                             buffer, sizeof buffer, nullptr);
    while (n > 0 && (buffer[n - 1] == '\r' || buffer[n - 1] == '\n' || buffer[n - 1] == ' ')) {
        --n;
    }
    e.text.assign(buffer, n);
    return e;
}

OVERLAPPED at(uint64_t offset) {
    OVERLAPPED ov{};
    ov.Offset = static_cast<DWORD>(offset);
    ov.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return ov;
}

class WinHandle final : public FileHandle {
public:
    explicit WinHandle(HANDLE h) : h_(h) {}
    ~WinHandle() override {
        if (view_) {
            UnmapViewOfFile(view_);
        }
        if (mapping_) {
            CloseHandle(mapping_);
        }
        for (const auto& [view, mapping] : ranges_) {
            UnmapViewOfFile(view);
            CloseHandle(mapping);
        }
        CloseHandle(h_);
    }

    // Each range has a mapping object of its own, sized to its end: a read-only
    // mapping may not reach past the end of the file, which grows.
    const uint8_t* mapRange(uint64_t offset, size_t bytes) override {
        uint64_t end = offset + bytes;
        HANDLE mapping = CreateFileMappingA(h_, nullptr, PAGE_READONLY, static_cast<DWORD>(end >> 32),
                                            static_cast<DWORD>(end), nullptr);
        if (!mapping) {
            return nullptr;
        }
        void* view = MapViewOfFile(mapping, FILE_MAP_READ, static_cast<DWORD>(offset >> 32),
                                   static_cast<DWORD>(offset), bytes);
        if (!view) {
            CloseHandle(mapping);
            return nullptr;
        }
        ranges_.emplace_back(view, mapping);
        return static_cast<const uint8_t*>(view);
    }

    const uint8_t* mapHead(size_t bytes) override {
        if (!view_) {
            mapping_ = CreateFileMappingA(h_, nullptr, PAGE_READONLY, 0, static_cast<DWORD>(bytes), nullptr);
            if (!mapping_) {
                return nullptr;
            }
            view_ = MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, bytes);
            if (!view_) {
                CloseHandle(mapping_);
                mapping_ = nullptr;
                return nullptr;
            }
        }
        return static_cast<const uint8_t*>(view_);
    }

    IoError read(uint64_t offset, void* data, size_t size, size_t& got) override {
        got = 0;
        while (got < size) {
            OVERLAPPED ov = at(offset + got);
            DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - got, 1u << 30));
            DWORD n = 0;
            if (!ReadFile(h_, static_cast<char*>(data) + got, chunk, &n, &ov)) {
                DWORD e = GetLastError();
                if (e == ERROR_HANDLE_EOF) {
                    break;
                }
                return systemError(e);
            }
            if (n == 0) {
                break;
            }
            got += n;
        }
        return {};
    }

    IoError write(uint64_t offset, const void* data, size_t size) override {
        size_t done = 0;
        while (done < size) {
            OVERLAPPED ov = at(offset + done);
            DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - done, 1u << 30));
            DWORD n = 0;
            if (!WriteFile(h_, static_cast<const char*>(data) + done, chunk, &n, &ov)) {
                return systemError(GetLastError());
            }
            if (n == 0) {
                return systemError(ERROR_WRITE_FAULT);
            }
            done += n;
        }
        return {};
    }

    IoError sync() override { return FlushFileBuffers(h_) ? IoError{} : systemError(GetLastError()); }

    IoError size(uint64_t& bytes) override {
        LARGE_INTEGER li{};
        if (!GetFileSizeEx(h_, &li)) {
            return systemError(GetLastError());
        }
        bytes = static_cast<uint64_t>(li.QuadPart);
        return {};
    }

    IoError truncate(uint64_t bytes) override {
        LARGE_INTEGER li{};
        li.QuadPart = static_cast<LONGLONG>(bytes);
        if (!SetFilePointerEx(h_, li, nullptr, FILE_BEGIN) || !SetEndOfFile(h_)) {
            return systemError(GetLastError());
        }
        return {};
    }

    // LockFileEx locks belong to the handle, so two opens in one process
    // exclude each other, and the system drops them when the process dies.
    LockResult lock(uint64_t offset, uint64_t length, bool exclusive) override {
        OVERLAPPED ov = at(offset);
        DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
        if (LockFileEx(h_, flags, 0, static_cast<DWORD>(length), static_cast<DWORD>(length >> 32), &ov)) {
            return LockResult::Granted;
        }
        DWORD e = GetLastError();
        return (e == ERROR_LOCK_VIOLATION || e == ERROR_IO_PENDING) ? LockResult::Busy : LockResult::Failed;
    }

    void unlock(uint64_t offset, uint64_t length) override {
        OVERLAPPED ov = at(offset);
        UnlockFileEx(h_, 0, static_cast<DWORD>(length), static_cast<DWORD>(length >> 32), &ov);
    }

private:
    HANDLE h_;
    HANDLE mapping_ = nullptr;
    void* view_ = nullptr;
    std::vector<std::pair<void*, HANDLE>> ranges_;
};

class WinFileSystem final : public FileSystem {
public:
    std::unique_ptr<FileHandle> open(const std::string& path, OpenHow how, bool writable,
                                     IoError& error) override {
        DWORD access = GENERIC_READ | (writable ? GENERIC_WRITE : 0);
        DWORD disposition = how == OpenHow::CreateOrTruncate ? CREATE_ALWAYS : OPEN_EXISTING;
        HANDLE h = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            error = systemError(GetLastError());
            return nullptr;
        }
        error = {};
        return std::make_unique<WinHandle>(h);
    }

    IoError remove(const std::string& path) override {
        return DeleteFileA(path.c_str()) ? IoError{} : systemError(GetLastError());
    }
};

} // namespace

FileSystem& systemFileSystem() {
    static WinFileSystem fs;
    return fs;
}

} // namespace runtime::files
