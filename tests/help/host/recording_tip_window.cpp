#include "recording_tip_window.h"

#include <algorithm>

#include "help/engine/engine_state.h"
#include "help/store/store_state.h"
#include "runtime/sys/events.h"
#include "runtime/ui/threads.h"
#include "runtime/ui/window.h"

namespace helptest {

RecordingTipWindow::RecordingTipWindow(Stays stays, bool failStart) : stays_(stays) {
    help::TipLauncher launcher = help::defaultTipLauncher();
    launcher.runTipWindow = [this] { run(); };
    if (failStart) {
        launcher.startThread = [](std::function<void()>) { return 0; };
    }
    installed_.emplace(std::move(launcher));
}

RecordingTipWindow::~RecordingTipWindow() {
    std::vector<int32_t> threads;
    {
        std::lock_guard lock(mutex_);
        threads = openThreads_;
    }
    for (int32_t thread : threads) {
        runtime::ui::post(runtime::event::CloseWindow, 0, thread);
    }
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, 10s, [this] { return openThreads_.empty(); });
    lock.unlock();
    installed_.reset();
}

void RecordingTipWindow::run() {
    TipRequest request;
    help::TipKey key = help::currentTip();
    help::HandOver handOver = help::handOver();
    request.tipFile = help::tipFileName().clipped();
    request.procedure = key.procedure.clipped();
    request.control = key.control.clipped();
    request.type = key.type.clipped();
    request.anchorX = handOver.anchorX;
    request.anchorY = handOver.anchorY;
    request.callingThread = handOver.callingThread;
    request.thread = runtime::ui::currentThread();
    request.hover = handOver.hoverFlag != 0;
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(request);
        openThreads_.push_back(request.thread);
    }
    changed_.notify_all();
    if (stays_ == Stays::Open) {
        help::changeHandOver([](help::HandOver& h) { h.tipWindowOpen = 1; });
        runtime::ui::Window window(runtime::ui::WindowDefinition{
            .caption = "Tip", .at = {0, 0, 40, 20}, .flags = runtime::ui::wattr::Hidden});
        bool closedBy513 = false;
        while (window.accept()) {
            closedBy513 = closedBy513 || window.event() == runtime::event::CloseWindow;
        }
        help::changeHandOver([](help::HandOver& h) { h.tipWindowOpen = 0; });
        if (closedBy513) {
            std::lock_guard lock(mutex_);
            closedBy513_.push_back(request.thread);
        }
    }
    {
        std::lock_guard lock(mutex_);
        openThreads_.erase(std::find(openThreads_.begin(), openThreads_.end(), request.thread));
    }
    changed_.notify_all();
}

std::vector<TipRequest> RecordingTipWindow::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

bool RecordingTipWindow::waitForRequests(size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return requests_.size() >= count; });
}

std::vector<int32_t> RecordingTipWindow::closedBy513() const {
    std::lock_guard lock(mutex_);
    return closedBy513_;
}

bool RecordingTipWindow::waitForClosed(size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return closedBy513_.size() >= count; });
}

int RecordingTipWindow::open() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(openThreads_.size());
}

} // namespace helptest
