// The mouse and keys of a person, sent through the system's input queue so
// that windows, menus and tool tips take them as they take a person's: for the
// tour (scripts/tour) and for tests that work a window as a person does.
#pragma once

#include <windows.h>

namespace runtime::ui {

// Moves the mouse to a point of the screen and, with `buttons` (such as
// MOUSEEVENTF_LEFTDOWN), presses or releases buttons there. The position goes
// with every event so that a button acts there even when a late report of an
// earlier move has put the pointer elsewhere.
void sendMouse(POINT screen, DWORD buttons = 0);

// Moves the mouse there and clicks the left button.
void clickAt(POINT screen);

// Presses and releases a key (a virtual-key code) in the window that has the
// keyboard.
void tapKey(WORD virtualKey);

} // namespace runtime::ui
