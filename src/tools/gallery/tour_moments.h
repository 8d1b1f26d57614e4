// Moments of the tour that a person makes happen with the mouse or the keys
// while the frame's thread is busy showing them: a dropped-down menu, the font
// dialog, a tool tip. Each runs on a thread of its own, which waits for the
// moment, photographs it, ends it as a person would, and then posts
// note::TourStep to the frame. Each returns false when its thread could not be
// started; then no note comes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace gallery {

// Clicks the first title of the frame's menu bar and photographs the menu.
bool tourMenu(HWND frame, int32_t frameThread, const std::string& shot);

// Photographs the dialog with this caption once the frame has opened it, then
// cancels it.
bool tourDialog(const std::string& caption, int32_t frameThread, const std::string& shot);

// Rests the mouse on a control and photographs the tool tip it shows.
bool tourToolTip(HWND control, int32_t frameThread, const std::string& shot);

} // namespace gallery
