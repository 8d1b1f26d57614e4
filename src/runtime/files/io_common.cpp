#include <atomic>

#include "runtime/files/io.h"

namespace runtime::files {
namespace {
std::atomic<FileSystem*> installed{nullptr};
}

FileSystem& fileSystem() {
    FileSystem* fs = installed.load();
    return fs ? *fs : systemFileSystem();
}

void setFileSystem(FileSystem* fs) {
    installed.store(fs);
}

} // namespace runtime::files
