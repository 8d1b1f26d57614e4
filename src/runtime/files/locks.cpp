#include "runtime/files/locks.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace runtime::files {

bool lockWaiting(FileHandle& h, uint64_t offset, int seconds) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        LockResult r = h.lock(offset, 1, true);
        if (r != LockResult::Busy) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
}

bool heldByOthers(FileHandle& h, uint64_t offset) {
    return h.lockedByOthers(offset, 1);
}

} // namespace runtime::files
