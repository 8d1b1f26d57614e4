// What window tests see of the real tip window: a picture of each tip it
// shows (taken on its thread, right after it was built and placed), and the
// ways a person asks for one on the virtual display.
#pragma once

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "runtime/ui/definition.h"

namespace tiptest {

using namespace std::chrono_literals;

struct ShownControl {
    int32_t number = 0;
    int32_t kind = 0;
    std::string text;
    runtime::ui::Rect at; // in the content, pixels
    POINT centre{};       // on the screen
};

struct ShownTip {
    int32_t thread = 0;
    HWND handle = nullptr;
    std::string procedure;
    std::string control;
    std::string type;
    runtime::ui::Rect position; // the window's place and content size, pixels
    bool caption = false;
    std::string title;
    bool scrolling = false;
    bool closeShown = false;
    runtime::ui::Rect closeAt;
    bool backShown = false;
    bool backEnabled = false;
    bool forwardShown = false;
    POINT backCentre{};
    POINT forwardCentre{};
    POINT closeCentre{};
    std::vector<ShownControl> content; // from control 300 upward
    runtime::ui::Rect clickArea;

    // The first content control showing `text`; nullptr when none does.
    const ShownControl* showing(std::string_view text) const;
    // The click area laid over the label showing `text`.
    const ShownControl* regionOver(std::string_view text) const;
};

// Follows every tip window while it lives (one at a time).
class TipFollower {
public:
    TipFollower();
    ~TipFollower();
    TipFollower(const TipFollower&) = delete;
    TipFollower& operator=(const TipFollower&) = delete;

    std::vector<ShownTip> shown() const;
    int closed() const;
    // Waits until `count` tips were shown in all; the last one.
    bool waitForShown(size_t count, std::chrono::milliseconds timeout = 10s) const;
    const ShownTip last() const;
    bool waitForClosed(int count, std::chrono::milliseconds timeout = 10s) const;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::vector<ShownTip> shown_;
    int closed_ = 0;
};

// Real mouse input through the X display, as a person's mouse gives it.
// False where there is no X display to send it to.
bool xInputAvailable();
bool xClick(POINT screen, int button = 1);
bool xMove(POINT screen);

// The centre of the frame's caption "?" button on the screen; false when the
// frame has none.
bool captionHelpButton(HWND frame, POINT& centre);

} // namespace tiptest
