#include "msghook/diagnostics.h"

#include "runtime/text/picture.h"

namespace msghook {
namespace {

int64_t handleNumber(Handle handle) {
    return static_cast<int64_t>(reinterpret_cast<intptr_t>(handle));
}

bool isTrailingBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0';
}

} // namespace

std::string hookFailureText(Handle handle, std::string_view systemText) {
    static const runtime::text::Picture handlePicture = runtime::text::Picture::parse("n-16").value();
    std::string_view text = systemText.substr(0, MaxSystemTextLength);
    while (!text.empty() && isTrailingBlank(text.back())) {
        text.remove_suffix(1);
    }
    std::string line = "WinAlert Error : SetLongWindow failed, wa:Handel = ";
    line += handlePicture.format(handleNumber(handle));
    line += ' ';
    line += text;
    return line;
}

std::string missingHandleLine(Handle handle) {
    return "WinAccept Error : get on queue WA failed(2), wa:handel = " +
           std::to_string(handleNumber(handle)) + "\r\n";
}

std::string endSessionStopText(Handle handle, int32_t message) {
    return "Handle : " + std::to_string(handleNumber(handle)) + "Message : " + std::to_string(message) +
           " : (22 translated to 16)";
}

} // namespace msghook
