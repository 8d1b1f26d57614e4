#include "msghook/host.h"

#include <atomic>

namespace msghook {
namespace {

DetachedHost detached;
// Window procedures on every thread read it while a test or the program's
// start-up may replace it.
std::atomic<Host*> current{&detached};

} // namespace

Host& host() {
    return *current.load();
}

void installHost(Host& replacement) {
    current.store(&replacement);
}

ScopedHost::ScopedHost(Host& replacement) : previous_(current.exchange(&replacement)) {}

ScopedHost::~ScopedHost() {
    current.store(previous_);
}

} // namespace msghook
