// What the system services need of the platform, implemented once for Windows
// (platform_win32.cpp) and once for everything else (platform_posix.cpp). For
// the services' own sources only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace runtime::platform {

// Every argument of the running program, the program name first.
std::vector<std::string> commandLine();

// Sends text to the debugger output as it is.
void debugOutput(std::string_view text);

struct LocalTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int32_t hundredths = 0; // since local midnight
};
LocalTime localTime();

} // namespace runtime::platform
