#include <mutex>

#include "help/tipwindow/tip_window.h"

namespace help {
namespace {

struct Installed {
    std::mutex mutex;
    TipWindowListener listener;
};

Installed& installed() {
    static Installed instance;
    return instance;
}

} // namespace

void setTipWindowListener(TipWindowListener listener) {
    std::lock_guard lock(installed().mutex);
    installed().listener = std::move(listener);
}

TipWindowListener tipWindowListener() {
    std::lock_guard lock(installed().mutex);
    return installed().listener;
}

} // namespace help
