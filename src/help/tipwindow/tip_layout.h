// The tip window's geometry, in pixels: the width a tip gets, the window's
// height for its content, and where the window goes next to the control the
// tip is for. Most numbers are the original design's dialog measures times
// 1.6, truncated (17 from 11, 376 from 235, ...); the window's start width and
// the gaps of the placement are used as they are.
#pragma once

#include <cstdint>

#include "runtime/ui/definition.h"

namespace help::tip_layout {

inline constexpr int32_t StartWidth = 165;
inline constexpr int32_t DefaultTipWidth = 270;
// Stored widths outside this range are not trusted (blank or damaged records
// read as 0x2020, and an old editor stored 270 for "no width").
inline constexpr int32_t NarrowestStoredWidth = 271;
inline constexpr int32_t WidestStoredWidth = 799;

// Content: the pen starts at the top left, rows are 14 apart.
inline constexpr int32_t PenLeft = 17;
inline constexpr int32_t PenTop = 8;
inline constexpr int32_t RowHeight = 14;
inline constexpr int32_t RuleDrop = 3;     // a rule is drawn this far below the pen
inline constexpr int32_t RuleAdvance = 8;  // and moves the pen down this far
inline constexpr int32_t RulePercent = 85; // of the tip width
inline constexpr int32_t BulletGap = 4;
inline constexpr int32_t ButtonInset = 3;
inline constexpr int32_t ButtonSize = 9;
inline constexpr int32_t ButtonGap = 6;
inline constexpr int32_t LinkIndent = 3;
inline constexpr int32_t LinkHeight = 16;
inline constexpr int32_t RegionHeight = 10;
inline constexpr int32_t BottomMargin = 24; // below the last row

// Height: content up to this tall shows whole; taller content scrolls.
inline constexpr int32_t MaxHeight = 376;
inline constexpr int32_t HeightMargin = 16;

// Placement.
inline constexpr int32_t AnchorGap = 2;         // between the window and the anchor
inline constexpr int32_t CaptionAnchorGap = 12; // the same for a window with a caption
inline constexpr int32_t TopFitMargin = 16;     // a window this close to the top does not fit above
inline constexpr int32_t TopY = 3;
inline constexpr int32_t LeftX = 2;
inline constexpr int32_t GroupOverhang = 3; // the content group reaches past every edge
inline constexpr int32_t ScrollBarWidth = 17;
inline constexpr int32_t CloseButtonSize = 16;

// The width a tip is shown at: its stored width when that is one to trust,
// else the fixed width when one is set, else the default; `store` tells
// whether the width must be written into the tip's record.
struct TipWidth {
    int32_t width = DefaultTipWidth;
    bool store = false;
};
TipWidth chooseTipWidth(int32_t storedWidth, int32_t fixedWidth);

// The window's content height for a build that ended with the pen at `penY`
// (bottom margin included), and whether the content must scroll.
struct TipHeight {
    int32_t height = 0;
    bool scrolling = false;
};
TipHeight tipHeight(int32_t penY);

// What placing the window needs. Fixed values below 0 are not set.
struct PlaceRequest {
    int32_t tipWidth = DefaultTipWidth;
    int32_t height = 0;
    int32_t anchorX = 0;
    int32_t anchorY = 0;
    int32_t fixedX = -1;
    int32_t fixedY = -1;
    int32_t fixedWidth = -1;
    bool caption = false;
    bool scrolling = false;
};

struct Placement {
    runtime::ui::Rect window; // screen place and content size
    runtime::ui::Rect panel;  // background panel 1
    runtime::ui::Rect group;  // content group 4
    bool closeShown = false;  // close button 23, for a window without caption
    runtime::ui::Rect closeButton;
};
Placement placeWindow(const PlaceRequest& request);

// A fixed width counts only when it is a width at all: 0 would make the
// window vanish.
bool fixedWidthSet(int32_t fixedWidth);

} // namespace help::tip_layout
