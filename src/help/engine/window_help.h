// What every window of a program does to answer help requests, in one place:
// ask rvSHOWHELP for the caption "?" when the window has opened, hand every
// event to RVWATCH, turn the control it names into a tip request with the
// control's use name and type word, and let RVCLOSE end the watch when the
// window closes.
//
//   help::WindowHelp help("tipdemo.rvh", "CustomerForm", {{2, "?Name", "ENTRY"}});
//   while (window.accept()) {
//       help.onEvent(window);
//       ...
//   }
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace runtime::ui {
class Window;
}

namespace help {

// A control's name in tip requests.
struct TipName {
    int32_t control = 0;
    std::string use;  // "?Name"
    std::string type; // "ENTRY", "BUTTON", "TEXT", ...
};

struct WindowHelpSetup {
    std::string tipFile{};
    std::string procedure{};
    std::vector<TipName> tips{};
    std::optional<std::string> noTipList{}; // rvSHOWHELP's list; none: omitted
    int32_t options = 0;                    // rvSHOWHELP's options
    std::optional<std::string> popupText{}; // RVWATCH's text; none: the engine's
    bool showHelpAtOpen = true;
};

class WindowHelp {
public:
    // Told of every non-zero answer of RVWATCH, and of what the tip request
    // it led to returned (none when the control has no tip name).
    using Observer = std::function<void(int32_t watched, std::optional<int32_t> tipResult)>;

    explicit WindowHelp(WindowHelpSetup setup, Observer observer = {});

    // Call for every event the window's loop accepts, before the window's own
    // handling. Returns true when the event asked for a tip (the key code is
    // then cleared, so the window does not act on the key as well).
    bool onEvent(runtime::ui::Window& window);

    const WindowHelpSetup& setup() const { return setup_; }

private:
    std::optional<int32_t> requestTip(int32_t control) const;

    WindowHelpSetup setup_;
    Observer observer_;
};

} // namespace help
