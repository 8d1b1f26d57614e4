// How a tip request runs the tip window: on a new runtime thread, or on the
// caller's thread. Both parts can be replaced, so that a program (or a test)
// can observe tip requests without a tip window, or see what happens when no
// thread can be started.
#pragma once

#include <cstdint>
#include <functional>

namespace help {

struct TipLauncher {
    // Runs the tip window for the request in the engine state, on the calling
    // thread; returns when the window has closed.
    std::function<void()> runTipWindow;
    // Runs a procedure on a new runtime thread; its number, 0 when none
    // could be started.
    std::function<int32_t(std::function<void()>)> startThread;
};

// The tip window on runtime threads.
TipLauncher defaultTipLauncher();

// The launcher in force; a copy, so a request keeps using the one it started with.
TipLauncher tipLauncher();
void setTipLauncher(TipLauncher launcher);

// Installs a launcher for its own lifetime and puts the previous one back.
class ScopedTipLauncher {
public:
    explicit ScopedTipLauncher(TipLauncher launcher);
    ~ScopedTipLauncher();
    ScopedTipLauncher(const ScopedTipLauncher&) = delete;
    ScopedTipLauncher& operator=(const ScopedTipLauncher&) = delete;

private:
    TipLauncher previous_;
};

} // namespace help
