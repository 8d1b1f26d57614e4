#include "help/tipwindow/tip_window_modes.h"

#include <atomic>

namespace help {
namespace {

std::atomic<TipWindowModes*>& installed() {
    static std::atomic<TipWindowModes*> modes{nullptr};
    return modes;
}

} // namespace

void installTipWindowModes(TipWindowModes* modes) {
    installed().store(modes);
}

TipWindowModes* tipWindowModes() {
    return installed().load();
}

} // namespace help
