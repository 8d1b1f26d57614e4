#include <time.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "runtime/sys/platform.h"

namespace runtime::platform {

// The kernel keeps the arguments as they were passed, each ended by a NUL.
std::vector<std::string> commandLine() {
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> arguments;
    size_t start = 0;
    while (start < all.size()) {
        size_t end = all.find('\0', start);
        if (end == std::string::npos) {
            end = all.size();
        }
        arguments.emplace_back(all, start, end - start);
        start = end + 1;
    }
    return arguments;
}

// One line on standard error, whatever line end the text brought.
void debugOutput(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    std::string line(text);
    line.push_back('\n');
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

LocalTime localTime() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    LocalTime result;
    result.year = local.tm_year + 1900;
    result.month = local.tm_mon + 1;
    result.day = local.tm_mday;
    // A leap second (tm_sec 60) is counted as the last hundredths of its minute.
    int seconds = local.tm_hour * 3600 + local.tm_min * 60 + (local.tm_sec > 59 ? 59 : local.tm_sec);
    result.hundredths = static_cast<int32_t>(seconds * 100 + now.tv_nsec / 10000000);
    return result;
}

} // namespace runtime::platform
