#include "help/store/store_hooks.h"

#include <atomic>
#include <mutex>
#include <string>

#include "msghook/hook.h"

namespace help {
namespace {

class NoProgress : public UpgradeProgress {
public:
    void begin(uint64_t) override {}
    void step(uint64_t) override {}
    void end() override {}
};

struct Hooks {
    std::mutex mutex;
    TipAddedNotifier tipAdded;
    std::atomic<UpgradeProgress*> progress{nullptr};
};

Hooks& hooks() {
    static Hooks instance;
    return instance;
}

} // namespace

void setTipAddedNotifier(TipAddedNotifier notifier) {
    Hooks& h = hooks();
    std::lock_guard lock(h.mutex);
    h.tipAdded = std::move(notifier);
}

void notifyTipAdded(int32_t askingThread) {
    TipAddedNotifier notifier;
    {
        Hooks& h = hooks();
        std::lock_guard lock(h.mutex);
        notifier = h.tipAdded;
    }
    if (notifier) {
        notifier(askingThread);
    }
}

void setUpgradeProgress(UpgradeProgress* reporter) {
    hooks().progress.store(reporter);
}

UpgradeProgress& upgradeProgress() {
    static NoProgress none;
    UpgradeProgress* reporter = hooks().progress.load();
    return reporter != nullptr ? *reporter : none;
}

void traceStoreError(std::string_view text) {
    msghook::WinDebug(text);
}

} // namespace help
