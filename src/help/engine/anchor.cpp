#include "help/engine/anchor.h"

namespace help {

Anchor clampAnchor(Anchor anchor) {
    constexpr int32_t WidestX = 2000;
    constexpr int32_t LowestY = 1000;
    if (anchor.x < 0 || anchor.x > WidestX) {
        anchor.x = 0;
    }
    if (anchor.y < 0 || anchor.y > LowestY) {
        anchor.y = 0;
    }
    return anchor;
}

} // namespace help
