// The text a window handle shows, whole, as the controls and windows read it.
#pragma once

#include <windows.h>

#include <string>

namespace runtime::ui {

std::string windowText(HWND window);

} // namespace runtime::ui
