// The small window that shows a tip file's conversion to the current layout:
// a line of text above a progress bar (control 2) that follows the records
// converted. It is the store's progress reporter in every program that
// installs the help engine.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>

#include "help/store/store_hooks.h"

namespace runtime::ui {
class Window;
}

namespace help {

class UpgradeWindow : public UpgradeProgress {
public:
    UpgradeWindow();
    ~UpgradeWindow() override;
    void begin(uint64_t total) override;
    void step(uint64_t count) override;
    void end() override;

private:
    std::mutex mutex_;
    // The window belongs to the thread that began the conversion; another
    // thread converting at the same time goes without one.
    std::unique_ptr<runtime::ui::Window> window_;
    int32_t owner_ = 0;
    uint64_t total_ = 0;
};

} // namespace help
