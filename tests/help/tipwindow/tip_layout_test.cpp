#include <gtest/gtest.h>

#include "help/tipwindow/tip_layout.h"

namespace {

using namespace help::tip_layout;
using runtime::ui::Rect;

TEST(TipWidth, StoredWidthsOnlyWhenTheyAreWidths) {
    struct Case {
        int32_t stored;
        int32_t fixed;
        int32_t width;
        bool store;
    };
    const Case cases[] = {
        {271, -1, 271, false},
        {500, -1, 500, false},
        {799, -1, 799, false},
        {500, 320, 500, false},
        {0, -1, 270, true},
        {270, -1, 270, true},
        {800, -1, 270, true},
        {0x2020, -1, 270, true},
        {-5, -1, 270, true},
        {0, 320, 320, true},
        {800, 320, 320, true},
        // A fixed width of 0 would make every tip vanish.
        {0, 0, 270, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "stored " << c.stored << ", fixed " << c.fixed);
        TipWidth chosen = chooseTipWidth(c.stored, c.fixed);
        EXPECT_EQ(chosen.width, c.width);
        EXPECT_EQ(chosen.store, c.store);
    }
}

TEST(TipHeight, TallContentIsCutTo376AndScrolls) {
    EXPECT_EQ(tipHeight(32).height, 48);
    EXPECT_FALSE(tipHeight(376).scrolling);
    EXPECT_EQ(tipHeight(376).height, 392);
    EXPECT_TRUE(tipHeight(377).scrolling);
    EXPECT_EQ(tipHeight(377).height, 376);
    EXPECT_EQ(tipHeight(5000).height, 376);
}

PlaceRequest at(int32_t anchorX, int32_t anchorY, int32_t height, bool caption = false) {
    PlaceRequest request;
    request.anchorX = anchorX;
    request.anchorY = anchorY;
    request.height = height;
    request.caption = caption;
    return request;
}

TEST(PlaceWindow, AboveAndLeftOfTheAnchor) {
    EXPECT_EQ(placeWindow(at(600, 500, 100)).window, (Rect{328, 398, 270, 100}));
    // A caption lifts the window 10 pixels more.
    EXPECT_EQ(placeWindow(at(600, 500, 100, true)).window, (Rect{328, 388, 270, 100}));
    // No control: the top left corner.
    EXPECT_EQ(placeWindow(at(0, 0, 48)).window, (Rect{2, 3, 270, 48}));
    EXPECT_EQ(placeWindow(at(0, 0, 48, true)).window, (Rect{2, 3, 270, 48}));
    // Not wider than the anchor is far from the left: at the left edge.
    EXPECT_EQ(placeWindow(at(270, 500, 100)).window.x, 2);
    // Without 16 pixels to spare above the anchor: at the top.
    EXPECT_EQ(placeWindow(at(600, 116, 100)).window.y, 3);
    EXPECT_EQ(placeWindow(at(600, 117, 100)).window.y, 15);
    EXPECT_EQ(placeWindow(at(600, 117, 100, true)).window.y, 5);
}

TEST(PlaceWindow, FixedPositionAndWidthWin) {
    PlaceRequest request = at(600, 500, 100);
    request.tipWidth = 350;
    EXPECT_EQ(placeWindow(request).window, (Rect{248, 398, 350, 100}));
    request.tipWidth = 200; // never narrower than the default
    EXPECT_EQ(placeWindow(request).window.width, 270);
    request.fixedWidth = 420;
    request.fixedX = 10;
    request.fixedY = 0;
    EXPECT_EQ(placeWindow(request).window, (Rect{10, 0, 420, 100}));
}

TEST(PlaceWindow, PanelGroupAndCloseButton) {
    PlaceRequest request = at(600, 500, 100);
    Placement placed = placeWindow(request);
    EXPECT_EQ(placed.panel, (Rect{1, 1, 268, 98}));
    EXPECT_EQ(placed.group, (Rect{-3, -3, 276, 106}));
    EXPECT_TRUE(placed.closeShown);
    EXPECT_EQ(placed.closeButton.right(), 269);

    request.scrolling = true; // room for the scroll bar
    EXPECT_EQ(placeWindow(request).closeButton.right(), 269 - ScrollBarWidth);

    request.caption = true; // the caption has its own close button
    EXPECT_FALSE(placeWindow(request).closeShown);
}

} // namespace
