#include <windows.h>

#include "runtime/sys/command_line.h"
#include "runtime/sys/platform.h"

namespace runtime::platform {

std::vector<std::string> commandLine() {
    const char* line = GetCommandLineA();
    return splitCommandLine(line != nullptr ? line : "");
}

void debugOutput(std::string_view text) {
    OutputDebugStringA(std::string(text).c_str());
}

LocalTime localTime() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    LocalTime result;
    result.year = now.wYear;
    result.month = now.wMonth;
    result.day = now.wDay;
    result.hundredths = static_cast<int32_t>((now.wHour * 3600 + now.wMinute * 60 + now.wSecond) * 100 +
                                             now.wMilliseconds / 10);
    return result;
}

} // namespace runtime::platform
