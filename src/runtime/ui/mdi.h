// The program's frame window and the child windows that open inside it.
//
// One frame at a time: the first window opened with wattr::MdiFrame. A window
// opened with wattr::MdiChild on any thread while the frame is open becomes a
// child window inside the frame's client area, still owned by its own thread
// and run by its own event loop; without a frame it is an ordinary window.
// The frame closes its children before itself by posting them the
// close-window event, since a window of another thread is ended only that way.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>

namespace runtime::ui::mdi {

// The open frame's client area, nullptr when no frame is open.
HWND frameClient();
// The frame's thread registers its client when it opens and withdraws it when it closes.
bool registerFrame(HWND client);
void unregisterFrame(HWND client);

// Child windows register with the number of the runtime thread that runs them.
void registerChild(HWND child, int32_t thread);
void unregisterChild(HWND child);
size_t childCount();

// Asks every child window to close and processes the frame thread's messages
// until they have, or until the time is up. True when none is left.
bool closeChildren(std::chrono::milliseconds limit);

} // namespace runtime::ui::mdi
