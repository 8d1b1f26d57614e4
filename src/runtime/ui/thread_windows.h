// The windows open on the calling thread, oldest first; the last one is the
// thread's current window.
#pragma once

#include <windows.h>

#include <vector>

namespace runtime::ui {

class Window;

void addOpenWindow(Window* window);
void removeOpenWindow(Window* window);
std::vector<Window*> openWindows();
// The open window of this thread whose frame is `handle` or holds it.
Window* windowOwning(HWND handle);

} // namespace runtime::ui
