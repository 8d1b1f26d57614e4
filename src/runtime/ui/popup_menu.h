// Popup menus from menu text (menu_text.h), shown where the program asks or
// at the mouse.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "runtime/sys/interaction.h"

namespace runtime::ui {

// Shows the menu and returns the number of the chosen item, 0 when none was.
// `at` is a point of the calling thread's current window, in its units;
// without a window it is a point of the screen; without `at` the menu opens
// at the mouse.
int32_t popupMenu(std::string_view menuText, std::optional<Point> at);

} // namespace runtime::ui
