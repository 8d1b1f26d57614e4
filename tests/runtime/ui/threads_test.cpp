// Runtime threads: numbering, stacks, ending, and events posted between threads.
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
using namespace std::chrono_literals;

TEST(Threads, StartedThreadsAreNumberedInStartOrderAndKnowTheirNumber) {
    int32_t self = currentThread();
    EXPECT_GT(self, 0);
    EXPECT_EQ(currentThread(), self) << "a thread keeps its number";
    std::atomic<int32_t> seenFirst{-1};
    std::atomic<int32_t> seenSecond{-1};
    int32_t first = start([&] { seenFirst = currentThread(); });
    int32_t second = start([&] { seenSecond = currentThread(); });
    EXPECT_GT(first, self);
    EXPECT_EQ(second, first + 1);
    ASSERT_TRUE(waitForThread(first, 10s));
    ASSERT_TRUE(waitForThread(second, 10s));
    EXPECT_EQ(seenFirst, first);
    EXPECT_EQ(seenSecond, second);
    EXPECT_FALSE(threadExists(first)) << "an ended thread is gone";
    EXPECT_FALSE(post(event::User, 0, first)) << "nothing can be posted to it";
}

TEST(Threads, ThreadsOfTheStandardLibraryGetANumberWhenTheyFirstUseTheRuntime) {
    std::atomic<int32_t> number{0};
    std::thread plain([&] { number = currentThread(); });
    plain.join();
    EXPECT_GT(number, currentThread());
    EXPECT_TRUE(uitest::waitUntil([&] { return !threadExists(number); })) << "it left when it ended";
}

// Asked for a few kilobytes, as window procedures do, a thread still gets a
// stack that window code can run in.
TEST(Threads, AThreadAskingForATinyStackGetsAUsableOne) {
    std::atomic<bool> survived{false};
    int32_t thread = start(
        [&] {
            volatile char deep[256 * 1024];
            deep[0] = 1;
            deep[sizeof deep - 1] = deep[0];
            survived = deep[sizeof deep - 1] == 1;
        },
        25000);
    ASSERT_NE(thread, 0);
    ASSERT_TRUE(waitForThread(thread, 10s));
    EXPECT_TRUE(survived);
}

TEST(Threads, APostWakesAThreadThatIsWaitingForInput) {
    std::atomic<int32_t> received{0};
    std::atomic<int32_t> control{0};
    std::atomic<bool> ready{false};
    int32_t thread = start([&] {
        ready = true;
        for (;;) {
            WaitMessage(); // blocked until something arrives
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageA(&message);
            }
            if (std::optional<PostedEvent> posted = takePosted()) {
                received = posted->event;
                control = posted->control;
                return;
            }
        }
    });
    ASSERT_TRUE(uitest::waitUntil([&] { return ready.load(); }));
    std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(post(event::User + 7, 42, thread));
    ASSERT_TRUE(waitForThread(thread, 10s));
    EXPECT_EQ(received, event::User + 7);
    EXPECT_EQ(control, 42);
}

TEST(Threads, PostsFromManyThreadsAllArriveEachSendersInOrder) {
    constexpr int Senders = 4;
    constexpr int Each = 200;
    std::atomic<bool> go{false};
    std::atomic<int> ended{0};
    uitest::WindowThread receiver({.caption = "Receiver", .at = {0, 0, 60, 30}});
    ASSERT_TRUE(receiver.waitFor(event::OpenWindow));
    std::vector<std::thread> senders;
    for (int s = 0; s < Senders; ++s) {
        senders.emplace_back([&, s] {
            while (!go) {
                std::this_thread::yield();
            }
            for (int i = 0; i < Each; ++i) {
                post(event::User + s, i, receiver.thread());
            }
            ++ended;
        });
    }
    go = true;
    for (std::thread& sender : senders) {
        sender.join();
    }
    ASSERT_TRUE(uitest::waitUntil([&] {
        int users = 0;
        for (const uitest::Seen& seen : receiver.events()) {
            users += seen.event >= event::User ? 1 : 0;
        }
        return users == Senders * Each;
    }));
    std::vector<int32_t> next(Senders, 0);
    for (const uitest::Seen& seen : receiver.events()) {
        if (seen.event >= event::User) {
            int sender = seen.event - event::User;
            EXPECT_EQ(seen.control, next[static_cast<size_t>(sender)]++);
        }
    }
}

TEST(Threads, WorkPostedToAThreadRunsThereEvenDuringAModalBox) {
    std::atomic<DWORD> ranOn{0};
    std::atomic<bool> boxUp{false};
    int32_t thread = start([&] {
        boxUp = true;
        MessageBoxA(nullptr, "Waiting", "Modal", MB_OK);
    });
    ASSERT_TRUE(uitest::waitUntil([&] { return FindWindowA(nullptr, "Modal") != nullptr; }));
    std::atomic<DWORD> boxThread{GetWindowThreadProcessId(FindWindowA(nullptr, "Modal"), nullptr)};
    postWork(thread, [&] { ranOn = GetCurrentThreadId(); });
    ASSERT_TRUE(uitest::waitUntil([&] { return ranOn != 0; }));
    EXPECT_EQ(ranOn, boxThread);
    PostMessageA(FindWindowA(nullptr, "Modal"), WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(waitForThread(thread, 10s));
}

} // namespace
