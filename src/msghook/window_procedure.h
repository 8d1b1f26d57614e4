// The window procedure the hook installs on every window handle it subclasses.
// Windows calls it on the thread that owns the window; the program never
// calls it directly. Windows only.
#pragma once

#include <windows.h>

namespace msghook {

LRESULT CALLBACK WinAccept(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace msghook
