#include <algorithm>
#include <limits>

#include "help/engine/upgrade_window.h"
#include "runtime/ui/progress.h"
#include "runtime/ui/property.h"
#include "runtime/ui/threads.h"
#include "runtime/ui/window.h"

namespace help {

namespace {

// The bar's range is a 32-bit number; a larger file is shown in proportion.
int32_t barPosition(uint64_t count, uint64_t total) {
    constexpr uint64_t Widest = std::numeric_limits<int32_t>::max();
    if (total <= Widest) {
        return static_cast<int32_t>(count);
    }
    return static_cast<int32_t>(count / (total / Widest + 1));
}

} // namespace

UpgradeWindow::UpgradeWindow() = default;
UpgradeWindow::~UpgradeWindow() = default;

void UpgradeWindow::begin(uint64_t total) {
    std::lock_guard lock(mutex_);
    if (window_) {
        return;
    }
    total_ = total;
    window_ = std::make_unique<runtime::ui::Window>(runtime::ui::progressWindow(
        "Upgrading the tip file", "Converting the tips to the new layout...", barPosition(total, total)));
    owner_ = runtime::ui::currentThread();
    runtime::ui::yield();
}

void UpgradeWindow::step(uint64_t count) {
    std::lock_guard lock(mutex_);
    if (!window_ || owner_ != runtime::ui::currentThread()) {
        return;
    }
    window_->set(runtime::ui::progress::Bar, runtime::ui::Prop::Progress, barPosition(count, total_));
    runtime::ui::yield();
}

void UpgradeWindow::end() {
    std::lock_guard lock(mutex_);
    if (!window_ || owner_ != runtime::ui::currentThread()) {
        return;
    }
    window_->close();
    while (window_->accept()) {
    }
    window_.reset();
    owner_ = 0;
}

} // namespace help
