// The event loop: where events come from, their order, the default processing
// after the program has seen them, and how the program skips it.
#include <windows.h>

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

#include "runtime/sys/events.h"
#include "runtime/ui/threads.h"
#include "support/ui_harness.h"

namespace {

using namespace runtime;
using namespace runtime::ui;
using uitest::Seen;
using uitest::WindowThread;

constexpr int32_t CloseButton = 3;
constexpr int32_t Name = 2;
constexpr int32_t Age = 4;

WindowDefinition form() {
    return {.caption = "Event loop",
            .at = {20, 20, 160, 80},
            .controls = {
                {.number = 1, .kind = kind::Prompt, .at = {6, 8, 0, 0}, .text = "&Name:"},
                {.number = Name, .kind = kind::Entry, .at = {40, 6, 80, 12}},
                {.number = CloseButton,
                 .kind = kind::Button,
                 .at = {104, 60, 50, 14},
                 .text = "Close",
                 .flags = attr::StandardClose},
                {.number = Age, .kind = kind::Entry, .at = {40, 24, 40, 12}},
            }};
}

TEST(EventLoop, OpensWithTheOpenWindowEventAndClosesOnCloseWindow) {
    WindowThread window(form());
    ASSERT_TRUE(window.waitFor(event::OpenWindow));
    EXPECT_EQ(window.events().front().event, event::OpenWindow);
    ASSERT_TRUE(runtime::ui::post(event::CloseWindow, 0, window.thread()));
    EXPECT_TRUE(window.waitFinished());
}

TEST(EventLoop, SkippingTheDefaultKeepsTheWindowOpenForThatEventOnly) {
    std::atomic<int> vetoes{1};
    WindowThread window(form(), [&](Window& w) {
        if (w.event() == event::CloseWindow && vetoes.fetch_sub(1) > 0) {
            w.skipDefault();
        }
    });
    runtime::ui::post(event::CloseWindow, 0, window.thread());
    ASSERT_TRUE(window.waitFor(event::CloseWindow));
    ASSERT_TRUE(window.run([](Window& w) { return w.isOpen(); }));
    runtime::ui::post(event::CloseWindow, 0, window.thread());
    EXPECT_TRUE(window.waitFinished());
    EXPECT_EQ(window.count(event::CloseWindow), 2);
}

TEST(EventLoop, TheStandardCloseButtonIsAcceptedThenClosesTheWindow) {
    WindowThread window(form());
    window.run([](Window& w) {
        w.pressButton(CloseButton);
        return 0;
    });
    EXPECT_TRUE(window.waitFinished());
    std::vector<Seen> seen = window.events();
    auto accepted =
        std::find_if(seen.begin(), seen.end(), [](const Seen& s) { return s.event == event::Accepted; });
    ASSERT_NE(accepted, seen.end());
    EXPECT_EQ(accepted->control, CloseButton);
    ASSERT_NE(accepted + 1, seen.end());
    EXPECT_EQ((accepted + 1)->event, event::CloseWindow);
}

TEST(EventLoop, PostedEventsArriveInOrderWithTheirControl) {
    WindowThread window(form());
    ASSERT_TRUE(window.waitFor(event::OpenWindow));
    window.clearEvents();
    for (int32_t i = 0; i < 20; ++i) {
        runtime::ui::post(event::User + i, i, window.thread());
    }
    ASSERT_TRUE(window.waitFor(event::User + 19));
    std::vector<Seen> users;
    for (const Seen& s : window.events()) {
        if (s.event >= event::User) {
            users.push_back(s);
        }
    }
    ASSERT_EQ(users.size(), 20u);
    for (int32_t i = 0; i < 20; ++i) {
        EXPECT_EQ(users[static_cast<size_t>(i)].event, event::User + i);
        EXPECT_EQ(users[static_cast<size_t>(i)].control, i);
    }
}

TEST(EventLoop, SelectingMovesTheFocusUnlessTheProgramSkipsIt) {
    std::atomic<bool> refuse{false};
    WindowThread window(form(), [&](Window& w) {
        if (w.event() == event::Selected && refuse) {
            w.skipDefault();
        }
    });
    ASSERT_TRUE(window.waitFor(event::OpenWindow));
    window.run([](Window& w) {
        w.select(Age);
        return 0;
    });
    ASSERT_TRUE(uitest::waitUntil([&] { return window.run([](Window& w) { return w.focus(); }) == Age; }));
    EXPECT_EQ(window.count(event::Selected, Age), 1)
        << "one selected event, not a second one for the focus move";
    refuse = true;
    window.run([](Window& w) {
        w.select(Name);
        return 0;
    });
    ASSERT_TRUE(window.waitFor(event::Selected, Name));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(window.run([](Window& w) { return w.focus(); }), Age);
}

TEST(EventLoop, PostedEventsComeBeforeWhatTheWindowsInputProduced) {
    WindowThread window(form());
    ASSERT_TRUE(window.waitFor(event::OpenWindow));
    window.clearEvents();
    window.run([](Window& w) {
        w.pressButton(CloseButton); // an accepted event waits in the window
        w.post(event::User + 1);
        return 0;
    });
    ASSERT_TRUE(window.waitFinished());
    std::vector<Seen> seen = window.events();
    auto user =
        std::find_if(seen.begin(), seen.end(), [](const Seen& s) { return s.event == event::User + 1; });
    auto accepted =
        std::find_if(seen.begin(), seen.end(), [](const Seen& s) { return s.event == event::Accepted; });
    ASSERT_NE(user, seen.end());
    ASSERT_NE(accepted, seen.end());
    EXPECT_LT(user, accepted);
}

TEST(EventLoop, AWindowClosedByItsProgramEndsItsLoopAndTheThreadsCurrentWindowGoes) {
    std::atomic<int32_t> thread{0};
    std::atomic<bool> noneLeft{false};
    int32_t started = runtime::ui::start([&] {
        thread = currentThread();
        {
            Window w(form());
            w.close();
            while (w.accept()) {
            }
            EXPECT_FALSE(w.isOpen());
            EXPECT_EQ(w.handle(), nullptr);
        }
        noneLeft = currentWindow() == nullptr;
    });
    ASSERT_TRUE(waitForThread(started, std::chrono::seconds(10)));
    EXPECT_EQ(thread, started);
    EXPECT_TRUE(noneLeft);
}

} // namespace
