#include <mutex>

#include "help/engine/tip_launcher.h"
#include "help/tipwindow/tip_window.h"
#include "runtime/ui/threads.h"

namespace help {
namespace {

struct Installed {
    std::mutex mutex;
    TipLauncher launcher = defaultTipLauncher();
};

Installed& installed() {
    static Installed instance;
    return instance;
}

} // namespace

TipLauncher defaultTipLauncher() {
    TipLauncher launcher;
    launcher.runTipWindow = runTipWindow;
    launcher.startThread = [](std::function<void()> procedure) {
        return runtime::ui::start(std::move(procedure));
    };
    return launcher;
}

TipLauncher tipLauncher() {
    std::lock_guard lock(installed().mutex);
    return installed().launcher;
}

void setTipLauncher(TipLauncher launcher) {
    std::lock_guard lock(installed().mutex);
    installed().launcher = std::move(launcher);
}

ScopedTipLauncher::ScopedTipLauncher(TipLauncher launcher) : previous_(tipLauncher()) {
    setTipLauncher(std::move(launcher));
}

ScopedTipLauncher::~ScopedTipLauncher() {
    setTipLauncher(std::move(previous_));
}

} // namespace help
