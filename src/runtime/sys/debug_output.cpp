#include "runtime/sys/debug_output.h"

#include <algorithm>
#include <mutex>

#include "runtime/sys/platform.h"

namespace runtime {
namespace {

struct Captures {
    std::mutex mutex;
    std::vector<ScopedDebugCapture*> active; // innermost last
};

Captures& captures() {
    static Captures instance;
    return instance;
}

} // namespace

void debugOutput(std::string_view text) {
    {
        Captures& c = captures();
        std::lock_guard lock(c.mutex);
        if (!c.active.empty()) {
            c.active.back()->texts_.emplace_back(text);
            return;
        }
    }
    platform::debugOutput(text);
}

ScopedDebugCapture::ScopedDebugCapture() {
    Captures& c = captures();
    std::lock_guard lock(c.mutex);
    c.active.push_back(this);
}

ScopedDebugCapture::~ScopedDebugCapture() {
    Captures& c = captures();
    std::lock_guard lock(c.mutex);
    c.active.erase(std::remove(c.active.begin(), c.active.end(), this), c.active.end());
}

std::vector<std::string> ScopedDebugCapture::texts() const {
    std::lock_guard lock(captures().mutex);
    return texts_;
}

void ScopedDebugCapture::clear() {
    std::lock_guard lock(captures().mutex);
    texts_.clear();
}

} // namespace runtime
