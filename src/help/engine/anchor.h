// Where a tip window is anchored: the position of the control the tip is
// for, in pixels on the screen.
#pragma once

#include <cstdint>

namespace help {

struct Anchor {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const Anchor&, const Anchor&) = default;
};

// Keeps a tip on a screen of ordinary size: an X outside 0..2000 or a Y
// outside 0..1000 becomes 0.
Anchor clampAnchor(Anchor anchor);

} // namespace help
