// Runtime threads: numbering, stacks, ending, and events posted between threads.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

#include "runtime/expr/bindings.h"
#include "runtime/sys/errors.h"
#include "runtime/sys/events.h"
#include "runtime/ui/thread_reuse.h"
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

bool waitsForReuse(DWORD osThread) {
    std::vector<DWORD> waiting = threadsWaitingForReuse();
    return std::find(waiting.begin(), waiting.end(), osThread) != waiting.end();
}

// An OS thread is kept to run a later runtime thread: what the ended one left
// on it (its error, its thread messages, a quit, its posted events) must not
// reach the next one. The thread that waited last runs the next one; a thread
// of an earlier test coming back late can come between, so this tries again.
TEST(Threads, ARuntimeThreadOnAKeptOsThreadFindsNothingOfTheOneBefore) {
    bool sameOsThread = false;
    for (int attempt = 0; attempt < 10 && !sameOsThread; ++attempt) {
        std::atomic<DWORD> polluted{0};
        int32_t before = start([&] {
            setError(err::AccessDenied);
            PostThreadMessageA(GetCurrentThreadId(), WM_APP, 0, 0);
            post(event::User, 0, 0);
            PostQuitMessage(3);
            polluted = GetCurrentThreadId();
        });
        ASSERT_TRUE(waitForThread(before, 10s));
        if (!uitest::waitUntil([&] { return waitsForReuse(polluted); }, 2s)) {
            continue; // threads of earlier tests came back first and fill the places
        }

        std::atomic<DWORD> osThread{0};
        std::atomic<int32_t> number{0};
        std::atomic<int32_t> error{-1};
        std::atomic<bool> message{true};
        std::atomic<bool> posted{true};
        int32_t next = start([&] {
            osThread = GetCurrentThreadId();
            number = currentThread();
            error = errorcode();
            MSG waiting{};
            message = PeekMessageA(&waiting, nullptr, 0, 0, PM_REMOVE) != FALSE;
            posted = hasPosted();
        });
        ASSERT_TRUE(waitForThread(next, 10s));
        // Back before the next attempt, so as not to come between its two threads.
        uitest::waitUntil([&] { return waitsForReuse(osThread); }, 2s);
        sameOsThread = osThread == polluted;
        EXPECT_EQ(number, next);
        EXPECT_EQ(error, 0);
        EXPECT_FALSE(message) << "no thread message and no quit";
        EXPECT_FALSE(posted);
    }
    EXPECT_TRUE(sameOsThread) << "an ended thread's OS thread ran a later one";
}

// Names a procedure left bound point into its own buffers: its OS thread ends
// with them instead of running a later thread that would find them.
TEST(Threads, AnOsThreadWhoseProcedureLeftNamesBoundIsNotKept) {
    std::atomic<DWORD> osThread{0};
    int32_t thread = start([&] {
        expr::openScope();
        osThread = GetCurrentThreadId();
    });
    ASSERT_TRUE(waitForThread(thread, 10s));
    EXPECT_FALSE(uitest::waitUntil([&] { return waitsForReuse(osThread); }, 500ms));
}

// Ending the OS thread is what takes away a window its procedure left open.
TEST(Threads, AnOsThreadWhoseProcedureLeftAWindowOpenEndsAndTakesItAway) {
    std::atomic<HWND> left{nullptr};
    int32_t thread = start([&] {
        left = CreateWindowExA(0, "STATIC", "Left open", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    });
    ASSERT_TRUE(waitForThread(thread, 10s));
    ASSERT_NE(left.load(), nullptr);
    EXPECT_TRUE(uitest::waitUntil([&] { return !IsWindow(left); }));
}

TEST(Threads, AThreadAskingForALargeStackGetsItWhileKeptThreadsWait) {
    int32_t small = start([] {});
    ASSERT_TRUE(waitForThread(small, 10s));
    ASSERT_TRUE(uitest::waitUntil([] { return !threadsWaitingForReuse().empty(); }));
    std::atomic<bool> survived{false};
    int32_t large = start(
        [&] {
            volatile char deep[6 * 1024 * 1024];
            deep[0] = 1;
            deep[sizeof deep - 1] = deep[0];
            survived = deep[sizeof deep - 1] == 1;
        },
        8 * 1024 * 1024);
    ASSERT_NE(large, 0);
    ASSERT_TRUE(waitForThread(large, 10s));
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
