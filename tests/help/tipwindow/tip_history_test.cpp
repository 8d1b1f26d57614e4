#include <gtest/gtest.h>

#include "help/tipwindow/tip_history.h"

namespace {

using help::ArrowButtons;
using help::TipHistory;
using help::TipKey;

TipKey tip(const char* control) {
    return help::tipKey("Main", control, "BUTTON");
}

std::string shown(const std::optional<TipKey>& key) {
    return key ? std::string(key->control.clipped()) : "(none)";
}

void expectArrows(const TipHistory& history, ArrowButtons expected) {
    ArrowButtons arrows = history.arrows();
    EXPECT_EQ(arrows.backShown, expected.backShown);
    EXPECT_EQ(arrows.backEnabled, expected.backEnabled);
    EXPECT_EQ(arrows.forwardShown, expected.forwardShown);
}

TEST(TipHistory, LinksThenBackAndForward) {
    TipHistory history;
    expectArrows(history, {false, false, false});
    EXPECT_EQ(shown(history.back(tip("A"))), "(none)");
    EXPECT_EQ(history.size(), 0u);

    history.followLink(tip("A")); // A -> B
    EXPECT_EQ(history.position(), 1u);
    expectArrows(history, {true, true, false});
    history.followLink(tip("B")); // B -> C
    EXPECT_EQ(history.size(), 2u);

    EXPECT_EQ(shown(history.back(tip("C"))), "B"); // C is kept for forward
    EXPECT_EQ(history.size(), 3u);
    expectArrows(history, {true, true, true});
    EXPECT_EQ(shown(history.back(tip("B"))), "A");
    expectArrows(history, {true, false, true});
    EXPECT_EQ(shown(history.back(tip("A"))), "(none)");

    EXPECT_EQ(shown(history.forward()), "B");
    EXPECT_EQ(shown(history.forward()), "C");
    expectArrows(history, {true, true, false});
    EXPECT_EQ(shown(history.forward()), "(none)");
    EXPECT_EQ(history.size(), 3u);
}

TEST(TipHistory, ALinkFromTheMiddleDropsWhatLayAhead) {
    TipHistory history;
    history.followLink(tip("A"));
    history.followLink(tip("B"));
    ASSERT_EQ(shown(history.back(tip("C"))), "B"); // A B C, at B
    history.followLink(tip("B"));                  // B -> D
    EXPECT_EQ(history.size(), 2u);
    EXPECT_EQ(history.position(), 2u);
    EXPECT_EQ(shown(history.back(tip("D"))), "B");
    EXPECT_EQ(history.row(3).CONTROLNAME.clipped(), "D");
}

TEST(TipHistory, ALinkToTheSameTipHasNothingBehindIt) {
    TipHistory history;
    history.followLink(tip("A")); // A -> A
    EXPECT_EQ(shown(history.back(tip("A"))), "(none)");
    EXPECT_EQ(history.size(), 1u);
}

TEST(TipHistory, KeysCompareWholeAndKeepTheirWidths) {
    TipHistory history;
    history.followLink(help::tipKey("Main", "A", "BUTTON"));
    // Another type is another tip.
    EXPECT_EQ(shown(history.back(help::tipKey("Main", "A", "ENTRY"))), "A");
    EXPECT_EQ(history.size(), 2u);
    EXPECT_EQ(history.row(1).PROCEDURENAME.clipped(), "Main");
    EXPECT_EQ(history.row(1).CONTROLTYPE.clipped(), "BUTTON");
}

} // namespace
