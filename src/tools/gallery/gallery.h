// The gallery: a frame with a menu, a toolbar and a status bar, and the
// windows it opens, each a procedure that runs its own event loop on its own
// runtime thread (the frame on the program's first thread).
#pragma once

#include <cstdint>

namespace gallery {

// Events the windows post to each other.
namespace note {
inline constexpr int32_t OpenForm = 1024 + 1; // to a list: open the selected row's form
inline constexpr int32_t Closed = 1024 + 3;   // to the frame: a child window has closed
inline constexpr int32_t TourStep =
    1024 + 4; // to a child: the tour's next step; to the frame: a moment is over
} // namespace note

// The list of the customers window; the toolbox and the tour post its
// scrolling events to the window's thread.
inline constexpr int32_t CustomerList = 10;

// The window procedures. Each returns when its window has closed. `frame` is
// the frame's runtime thread, told when the window closes.
void runFrame();
void runControls(int32_t frame);
void runList(int32_t frame, size_t rows);
void runSheet(int32_t frame);
// Modal on the calling thread.
void runAbout();
// The floating toolbox of a list, on a thread of its own; `list` is the
// list's thread, which its buttons post to.
void runToolbox(int32_t list);

} // namespace gallery
