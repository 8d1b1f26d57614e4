// Helpers for window tests under Wine: windows opened on runtime threads with
// an event loop that records what it sees, waiting for conditions with a time
// limit, running code on a window's thread, and real input through the
// system's input queue (SendInput), as a person's mouse and keyboard produce.
#pragma once

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <future>
#include <mutex>
#include <vector>

#include "runtime/ui/definition.h"
#include "runtime/ui/window.h"

namespace uitest {

using namespace std::chrono_literals;

// Polls until the condition holds; false when the time ran out.
bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 10s);

struct Seen {
    int32_t event = 0;
    int32_t control = 0;
    int32_t keyCode = 0;
    bool acceptingAll = false;
    friend bool operator==(const Seen&, const Seen&) = default;
};

// A window opened from a definition on its own runtime thread. Its loop
// records every event, then hands it to the handler (on the window's thread;
// the handler may call skipDefault() and the like).
class WindowThread {
public:
    using Handler = std::function<void(runtime::ui::Window&)>;
    explicit WindowThread(runtime::ui::WindowDefinition definition, Handler handler = {});
    // Closes the window if it is still open and waits for its thread to end.
    ~WindowThread();
    WindowThread(const WindowThread&) = delete;
    WindowThread& operator=(const WindowThread&) = delete;

    int32_t thread() const { return thread_; }
    bool finished() const;
    bool waitFinished(std::chrono::milliseconds timeout = 10s) const;

    std::vector<Seen> events() const;
    void clearEvents();
    // Waits for an event (with that control, unless control is -1) seen since
    // the last clearEvents().
    bool waitFor(int32_t event, int32_t control = -1, std::chrono::milliseconds timeout = 10s) const;
    int count(int32_t event, int32_t control = -1) const;

    // Runs `work` on the window's thread with its window and returns the result.
    template <typename Work>
    auto run(Work work) -> decltype(work(std::declval<runtime::ui::Window&>())) {
        using Result = decltype(work(std::declval<runtime::ui::Window&>()));
        std::packaged_task<Result()> task([this, &work] { return work(*window_); });
        std::future<Result> result = task.get_future();
        runWork([&task] { task(); });
        return result.get();
    }

    HWND handle();
    HWND controlHandle(int32_t control);
    // The centre of a control on the screen.
    POINT centreOf(int32_t control);

private:
    void runWork(std::function<void()> work);

    int32_t thread_ = 0;
    runtime::ui::Window* window_ = nullptr; // used on the window's thread only
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::vector<Seen> seen_;
    bool opened_ = false;
    bool finished_ = false;
};

// Real input, through the input queue of the system.
void moveMouse(POINT screen);
void click(POINT screen, bool right = false);
void doubleClick(POINT screen);
// Presses and releases keys: modifiers first, then the key.
void pressKey(WORD virtualKey, bool shift = false, bool ctrl = false, bool alt = false);
void typeText(const char* text);

// Lets the system deliver what was sent: short sleeps until `condition` holds.
inline constexpr std::chrono::milliseconds InputTimeout = 5s;

} // namespace uitest
