// A stand-in for the tip window: installed as the engine's tip launcher for
// its lifetime, it records every tip request as the tip window would read it
// when it starts, and then behaves like an open tip window (the engine's
// tip-window-open flag set, a hidden window of its own) until event 513 is
// posted to its thread, or closes at once when asked to.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "help/engine/tip_launcher.h"

namespace helptest {

using namespace std::chrono_literals;

struct TipRequest {
    std::string tipFile; // as the tip store holds it, without padding
    std::string procedure;
    std::string control;
    std::string type;
    int32_t anchorX = 0;
    int32_t anchorY = 0;
    int32_t callingThread = 0;
    int32_t thread = 0; // the runtime thread the tip window ran on
    bool hover = false;
};

class RecordingTipWindow {
public:
    enum class Stays { Open, Closed };
    // `failStart`: no thread can be started, as when the system has no more.
    explicit RecordingTipWindow(Stays stays = Stays::Open, bool failStart = false);
    // Closes what is still open.
    ~RecordingTipWindow();
    RecordingTipWindow(const RecordingTipWindow&) = delete;
    RecordingTipWindow& operator=(const RecordingTipWindow&) = delete;

    std::vector<TipRequest> requests() const;
    bool waitForRequests(size_t count, std::chrono::milliseconds timeout = 10s) const;
    // Threads whose tip window was closed by event 513, in order.
    std::vector<int32_t> closedBy513() const;
    bool waitForClosed(size_t count, std::chrono::milliseconds timeout = 10s) const;
    // Tip windows open now.
    int open() const;

private:
    void run();

    Stays stays_;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::vector<TipRequest> requests_;
    std::vector<int32_t> closedBy513_;
    std::vector<int32_t> openThreads_;
    std::optional<help::ScopedTipLauncher> installed_;
};

} // namespace helptest
