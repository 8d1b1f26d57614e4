// A host window for the help engine's tests, wired the way every window of
// the program is: rvSHOWHELP when it opens, RVWATCH for every event, a tip
// routine that maps the control RVWATCH names to its use name and type word
// and calls rvCallHelpTipEx with them and the procedure name, and RVCLOSE
// when it closes. It runs on its own runtime thread and records what the
// engine answered.
//
//   helptest::HostWindow host(helptest::standardHost());
//   uitest::click(host.centreOf(helptest::OkButton), true);   // right click
//   host.waitForTipCalls(1);
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "runtime/ui/definition.h"
#include "support/ui_harness.h"

namespace helptest {

using namespace std::chrono_literals;

// A control's name in tip requests.
struct TipName {
    int32_t control = 0;
    std::string use;
    std::string type; // "BUTTON", "ENTRY", "TEXT", ...
};

struct HostSetup {
    runtime::ui::WindowDefinition definition;
    std::vector<TipName> tips;
    std::string procedure = "HostWindow";
    std::string tipFile = "ruvo.rvh";
    std::optional<std::string> noTipList; // rvSHOWHELP's list; none: omitted
    int32_t options = 0;
    std::optional<std::string> popupText; // RVWATCH's text; none: the engine's
    bool showHelpAtOpen = true;
};

// The standard host's controls.
inline constexpr int32_t NameLabel = 1;  // a string, no tip
inline constexpr int32_t NameEntry = 2;  // "?Name", ENTRY
inline constexpr int32_t OkButton = 3;   // "?OK", BUTTON
inline constexpr int32_t RememberBox = 4; // "?Remember", CHECK
inline constexpr int32_t NotesText = 5;  // "?Notes", TEXT
inline constexpr int32_t CloseButton = 6; // "?Close", BUTTON

// "Host Window": a label, an entry, two buttons, a check box and a multi-line
// text, with a system menu and no minimise or maximise box.
HostSetup standardHost();

// What one RVWATCH result led to.
struct TipCall {
    int32_t control = 0; // the control RVWATCH named
    int32_t result = 0;  // what rvCallHelpTipEx returned
};

class HostWindow {
public:
    explicit HostWindow(HostSetup setup);
    // Closes the window (RVCLOSE runs on its close event) and waits for its thread.
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    int32_t thread() const { return window_.thread(); }
    const HostSetup& setup() const { return setup_; }

    // Every result of RVWATCH other than 0, in order.
    std::vector<int32_t> watched() const;
    std::vector<TipCall> tipCalls() const;
    bool waitForTipCalls(size_t count, std::chrono::milliseconds timeout = 10s) const;
    void clearRecords();

    uitest::WindowThread& window() { return window_; }
    template <typename Work>
    auto run(Work work) {
        return window_.run(work);
    }
    HWND handle() { return window_.handle(); }
    POINT centreOf(int32_t control) { return window_.centreOf(control); }

private:
    void onEvent(runtime::ui::Window& window);
    void callTip(int32_t field);

    HostSetup setup_;
    mutable std::mutex mutex_;
    std::vector<int32_t> watched_;
    std::vector<TipCall> tipCalls_;
    uitest::WindowThread window_; // last: its thread uses everything above
};

} // namespace helptest
