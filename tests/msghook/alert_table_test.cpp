#include <atomic>
#include <climits>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

#include "msghook/alert_table.h"

namespace {

using msghook::AlertRange;
using msghook::AlertRow;
using msghook::AlertTable;
using msghook::Handle;
using msghook::Procedure;

Handle handle(intptr_t n) {
    return reinterpret_cast<Handle>(n);
}

// Hooks by handing out the given procedure and counting the calls.
struct FakeHook {
    Procedure previous;
    int calls = 0;
    AlertTable::Hook hook() {
        return [this](Handle) {
            ++calls;
            return previous;
        };
    }
};

struct Unhooked {
    Handle handle;
    Procedure procedure;
    friend bool operator==(const Unhooked&, const Unhooked&) = default;
};

struct FakeUnhook {
    std::vector<Unhooked> calls;
    AlertTable::Unhook unhook() {
        return [this](Handle h, Procedure p) { calls.push_back({h, p}); };
    }
};

TEST(AlertTable, OneRowPerHandleAndMessageAndReAlertChangesOnlyTheAction) {
    AlertTable table;
    FakeHook first{111};
    table.alert({handle(1), 10, 12, 5, 7, false}, first.hook());
    FakeHook second{222};
    table.alert({handle(1), 11, 13, 6, 9, true}, second.hook());

    EXPECT_EQ(first.calls, 1);
    EXPECT_EQ(second.calls, 0) << "a hooked handle was hooked again";
    EXPECT_EQ(table.rows(), (std::vector<AlertRow>{
                                {handle(1), 10, 5, 111, 7, false},
                                {handle(1), 11, 6, 111, 7, false},
                                {handle(1), 12, 6, 111, 7, false},
                                {handle(1), 13, 6, 111, 9, true}, // the procedure captured at the first hook
                            }));
    EXPECT_EQ(table.previousProcedure(handle(1)), Procedure{111});
    EXPECT_EQ(table.previousProcedure(handle(2)), std::nullopt);
}

TEST(AlertTable, RangesAtTheEdges) {
    AlertTable table;
    FakeHook hook{111};
    table.alert({handle(1), 20, 19, 6, 1, false}, hook.hook());
    EXPECT_EQ(hook.calls, 0) << "an empty range hooked the handle";
    EXPECT_TRUE(table.rows().empty());
    EXPECT_FALSE(table.isAlertedAnywhere(20));

    table.alert({handle(1), INT_MAX - 1, INT_MAX, 6, 1, false}, hook.hook());
    EXPECT_EQ(table.rows().size(), 2u);
    EXPECT_TRUE(table.find(handle(1), INT_MAX));
    table.alert({handle(1), INT_MIN, INT_MIN, 6, 1, false}, hook.hook());
    EXPECT_TRUE(table.find(handle(1), INT_MIN));
}

TEST(AlertTable, ReleaseRemovesEveryRowOfTheHandleAndRestoresItsProcedure) {
    AlertTable table;
    FakeHook one{111};
    FakeHook two{222};
    table.alert({handle(1), 83, 84, 5, 1, false}, one.hook());
    table.alert({handle(2), 83, 83, 5, 1, true}, two.hook());
    table.alert({handle(1), 522, 522, 6, 1, false}, one.hook());

    FakeUnhook unhook;
    table.release(handle(1), unhook.unhook());
    EXPECT_EQ(unhook.calls, (std::vector<Unhooked>{{handle(1), 111}}));
    EXPECT_EQ(table.lastReleasedProcedure(), 111);
    EXPECT_EQ(table.rows(), (std::vector<AlertRow>{{handle(2), 83, 5, 222, 1, true}}));

    // The alerted messages stay known, though no window alerts 84 or 522 now.
    EXPECT_TRUE(table.isAlertedAnywhere(84));
    EXPECT_TRUE(table.isAlertedAnywhere(522));
    EXPECT_FALSE(table.find(handle(1), 84));

    // A handle without rows is left alone.
    table.release(handle(1), unhook.unhook());
    table.release(handle(9), unhook.unhook());
    EXPECT_EQ(unhook.calls.size(), 1u);
    EXPECT_EQ(table.lastReleasedProcedure(), 111);

    // Hooked again after release: the procedure is captured anew.
    FakeHook again{333};
    table.alert({handle(1), 83, 83, 5, 1, false}, again.hook());
    EXPECT_EQ(again.calls, 1);
    EXPECT_EQ(table.find(handle(1), 83)->returnTo, 333);
}

TEST(AlertTable, AHandleWhoseHookFailedIsNotHookedAgainAndHasNothingToRestore) {
    AlertTable table;
    FakeHook other{111};
    FakeUnhook unhook;
    table.alert({handle(1), 83, 83, 5, 1, false}, other.hook());
    table.release(handle(1), unhook.unhook());

    FakeHook failing{0};
    table.alert({handle(2), 83, 83, 5, 1, false}, failing.hook());
    table.alert({handle(2), 84, 84, 5, 1, false}, failing.hook());
    EXPECT_EQ(failing.calls, 1);
    EXPECT_EQ(table.find(handle(2), 84)->returnTo, 0);
    table.release(handle(2), unhook.unhook());
    EXPECT_EQ(unhook.calls, (std::vector<Unhooked>{{handle(1), 111}}));
    EXPECT_EQ(table.lastReleasedProcedure(), 0);
    EXPECT_TRUE(table.rows().empty());
}

TEST(AlertTable, ThreadsAlertingOneHandleHookItOnce) {
    for (int round = 0; round < 50; ++round) {
        AlertTable table;
        std::atomic<int> hooks{0};
        auto hook = [&hooks](Handle) {
            ++hooks;
            return Procedure{111};
        };
        std::vector<std::thread> threads;
        for (int32_t t = 0; t < 4; ++t) {
            threads.emplace_back([&table, &hook, t] {
                for (int32_t m = 0; m < 20; ++m) {
                    table.alert({handle(1), 100 + m, 100 + m, 6, t, false}, hook);
                    table.find(handle(1), 100 + m);
                }
            });
        }
        for (std::thread& thread : threads) {
            thread.join();
        }
        EXPECT_EQ(hooks.load(), 1);
        EXPECT_EQ(table.rows().size(), 20u);
    }
}

} // namespace
