// What the tip store needs of the windowing runtime, behind hooks so that the
// store builds and runs without windows. Each hook does nothing until a
// program installs the real one: the GUI program posts event 402 and shows
// the "P1$WAIT" progress window; rvtips draws a bar on standard error.
// Install hooks at start-up; the store may call them from any thread.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace help {

// Told after a tip that did not exist was added, with the runtime thread
// number of the thread that asked for the tip (0: none).
using TipAddedNotifier = std::function<void(int32_t askingThread)>;
void setTipAddedNotifier(TipAddedNotifier notifier);
void notifyTipAdded(int32_t askingThread);

// Shown while an old tip file is converted, on the converting thread.
class UpgradeProgress {
public:
    virtual ~UpgradeProgress() = default;
    // The conversion of `total` records begins.
    virtual void begin(uint64_t total) = 0;
    // `count` records are done so far.
    virtual void step(uint64_t count) = 0;
    // The conversion has ended (done or given up).
    virtual void end() = 0;
};
// nullptr: no progress is shown. The reporter must outlive its installation.
void setUpgradeProgress(UpgradeProgress* reporter);
UpgradeProgress& upgradeProgress();

// One trace line about a failed save (the hook's WinDebug: written only under "/debug").
void traceStoreError(std::string_view text);

} // namespace help
