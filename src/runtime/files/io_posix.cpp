#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/mman.h>
#include <sys/stat.h>
#include <utility>
#include <vector>

#include "runtime/files/io.h"
#include "runtime/sys/errors.h"

namespace runtime::files {
namespace {

IoError systemError(int number, const std::string& path = {}) {
    IoError e;
    switch (number) {
    case 0:
        return e;
    case ENOENT: {
        std::filesystem::path parent = std::filesystem::path(path).parent_path();
        std::error_code ignored;
        e.code = (parent.empty() || std::filesystem::is_directory(parent, ignored)) ? err::FileNotFound
                                                                                    : err::PathNotFound;
        break;
    }
    case ENOTDIR:
        e.code = err::PathNotFound;
        break;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        e.code = err::AccessDenied;
        break;
    case EMFILE:
    case ENFILE:
        e.code = err::TooManyFiles;
        break;
    default:
        e.code = err::DriverError;
        break;
    }
    e.systemCode = std::to_string(number);
    e.text = std::strerror(number);
    return e;
}

class PosixHandle final : public FileHandle {
public:
    explicit PosixHandle(int fd) : fd_(fd) {}
    ~PosixHandle() override {
        if (head_) {
            ::munmap(head_, headBytes_);
        }
        for (const auto& [at, bytes] : ranges_) {
            ::munmap(at, bytes);
        }
        ::close(fd_);
    }

    const uint8_t* mapRange(uint64_t offset, size_t bytes) override {
        void* p = ::mmap(nullptr, bytes, PROT_READ, MAP_SHARED, fd_, static_cast<off_t>(offset));
        if (p == MAP_FAILED) {
            return nullptr;
        }
        ranges_.emplace_back(p, bytes);
        return static_cast<const uint8_t*>(p);
    }

    const uint8_t* mapHead(size_t bytes) override {
        if (!head_) {
            void* p = ::mmap(nullptr, bytes, PROT_READ, MAP_SHARED, fd_, 0);
            if (p == MAP_FAILED) {
                return nullptr;
            }
            head_ = p;
            headBytes_ = bytes;
        }
        return static_cast<const uint8_t*>(head_);
    }

    IoError read(uint64_t offset, void* data, size_t size, size_t& got) override {
        got = 0;
        while (got < size) {
            ssize_t n =
                ::pread(fd_, static_cast<char*>(data) + got, size - got, static_cast<off_t>(offset + got));
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                return systemError(errno);
            }
            if (n == 0) {
                break;
            }
            got += static_cast<size_t>(n);
        }
        return {};
    }

    IoError write(uint64_t offset, const void* data, size_t size) override {
        size_t done = 0;
        while (done < size) {
            ssize_t n = ::pwrite(fd_, static_cast<const char*>(data) + done, size - done,
                                 static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                return systemError(n < 0 ? errno : EIO);
            }
            done += static_cast<size_t>(n);
        }
        return {};
    }

    IoError sync() override { return ::fdatasync(fd_) == 0 ? IoError{} : systemError(errno); }

    IoError size(uint64_t& bytes) override {
        struct stat st {};
        if (::fstat(fd_, &st) != 0) {
            return systemError(errno);
        }
        bytes = static_cast<uint64_t>(st.st_size);
        return {};
    }

    IoError truncate(uint64_t bytes) override {
        return ::ftruncate(fd_, static_cast<off_t>(bytes)) == 0 ? IoError{} : systemError(errno);
    }

    // Open-file-description locks: owned by this open, not by the process, so a
    // second open of the same file in this process is excluded like any other
    // and closing it does not drop this open's locks.
    LockResult lock(uint64_t offset, uint64_t length, bool exclusive) override {
        struct flock fl {};
        fl.l_type = exclusive ? F_WRLCK : F_RDLCK;
        fl.l_whence = SEEK_SET;
        fl.l_start = static_cast<off_t>(offset);
        fl.l_len = static_cast<off_t>(length);
        if (::fcntl(fd_, F_OFD_SETLK, &fl) == 0) {
            return LockResult::Granted;
        }
        return (errno == EAGAIN || errno == EACCES) ? LockResult::Busy : LockResult::Failed;
    }

    bool lockedByOthers(uint64_t offset, uint64_t length) override {
        struct flock fl {};
        fl.l_type = F_WRLCK;
        fl.l_whence = SEEK_SET;
        fl.l_start = static_cast<off_t>(offset);
        fl.l_len = static_cast<off_t>(length);
        if (::fcntl(fd_, F_OFD_GETLK, &fl) != 0) {
            return false;
        }
        return fl.l_type != F_UNLCK;
    }

    void unlock(uint64_t offset, uint64_t length) override {
        struct flock fl {};
        fl.l_type = F_UNLCK;
        fl.l_whence = SEEK_SET;
        fl.l_start = static_cast<off_t>(offset);
        fl.l_len = static_cast<off_t>(length);
        ::fcntl(fd_, F_OFD_SETLK, &fl);
    }

private:
    int fd_;
    void* head_ = nullptr;
    size_t headBytes_ = 0;
    std::vector<std::pair<void*, size_t>> ranges_;
};

class PosixFileSystem final : public FileSystem {
public:
    std::unique_ptr<FileHandle> open(const std::string& path, OpenHow how, bool writable,
                                     IoError& error) override {
        int flags = (writable ? O_RDWR : O_RDONLY) | O_CLOEXEC;
        if (how == OpenHow::CreateOrTruncate) {
            flags |= O_CREAT | O_TRUNC;
        }
        int fd = ::open(path.c_str(), flags, 0666);
        if (fd < 0) {
            error = systemError(errno, path);
            return nullptr;
        }
        struct stat st {};
        if (::fstat(fd, &st) == 0 && !S_ISREG(st.st_mode)) {
            ::close(fd);
            error = systemError(EISDIR);
            return nullptr;
        }
        error = {};
        return std::make_unique<PosixHandle>(fd);
    }

    IoError remove(const std::string& path) override {
        return ::unlink(path.c_str()) == 0 ? IoError{} : systemError(errno, path);
    }

    IoError syncFolder(const std::string& path) override {
        std::filesystem::path folder = std::filesystem::path(path).parent_path();
        int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            return systemError(errno, path);
        }
        int rc = ::fsync(fd);
        int number = errno;
        ::close(fd);
        return rc == 0 ? IoError{} : systemError(number);
    }
};

} // namespace

FileSystem& systemFileSystem() {
    static PosixFileSystem fs;
    return fs;
}

} // namespace runtime::files
