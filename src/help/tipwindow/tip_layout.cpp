#include "help/tipwindow/tip_layout.h"

#include <algorithm>

namespace help::tip_layout {

bool fixedWidthSet(int32_t fixedWidth) {
    return fixedWidth > 0;
}

TipWidth chooseTipWidth(int32_t storedWidth, int32_t fixedWidth) {
    if (storedWidth >= NarrowestStoredWidth && storedWidth <= WidestStoredWidth) {
        return {storedWidth, false};
    }
    return {fixedWidthSet(fixedWidth) ? fixedWidth : DefaultTipWidth, true};
}

TipHeight tipHeight(int32_t penY) {
    if (penY <= MaxHeight) {
        return {penY + HeightMargin, false};
    }
    return {MaxHeight, true};
}

Placement placeWindow(const PlaceRequest& request) {
    Placement placed;
    runtime::ui::Rect& window = placed.window;
    window.width =
        fixedWidthSet(request.fixedWidth) ? request.fixedWidth : std::max(request.tipWidth, DefaultTipWidth);
    window.height = request.height;

    if (request.fixedY >= 0) {
        window.y = request.fixedY;
    } else if (window.height + TopFitMargin >= request.anchorY) {
        // No room above the anchor: the top of the screen.
        window.y = request.anchorY < 0 ? request.anchorY : TopY;
    } else {
        window.y = request.anchorY - window.height - (request.caption ? CaptionAnchorGap : AnchorGap);
    }

    if (request.fixedX >= 0) {
        window.x = request.fixedX;
    } else if (window.width < request.anchorX) {
        window.x = request.anchorX - window.width - AnchorGap;
    } else {
        window.x = LeftX;
    }

    placed.panel = {1, 1, window.width - 2, window.height - 2};
    placed.group = {-GroupOverhang, -GroupOverhang, window.width + 2 * GroupOverhang,
                    window.height + 2 * GroupOverhang};
    placed.closeShown = !request.caption;
    int32_t closeX = window.width - CloseButtonSize - 1 - (request.scrolling ? ScrollBarWidth : 0);
    placed.closeButton = {closeX, 1, CloseButtonSize, CloseButtonSize};
    return placed;
}

} // namespace help::tip_layout
