// Pictures of the screen for the tour (scripts/tour), which saves one of every
// window and tip so a person can look at them without running anything.
#pragma once

#include <string>

namespace runtime::ui {

// Saves the whole screen as a 24-bit BMP file; false when it cannot be written.
bool saveScreenshot(const std::string& path);

// The folder given after "--tour" on the command line, or "" when the program
// was not started by the tour.
std::string tourFolder();

// Saves "<tour folder>/<name>.bmp" when the program runs in the tour, after
// letting pending drawing finish; does nothing otherwise.
void tourShot(const std::string& name);

} // namespace runtime::ui
