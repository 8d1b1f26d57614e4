#include "msghook/trace.h"

#include "msghook/event_names.h"
#include "msghook/hook.h"
#include "msghook/host.h"
#include "runtime/sys/command_line.h"
#include "runtime/sys/debug_output.h"
#include "runtime/sys/events.h"
#include "runtime/text/strings.h"

namespace msghook {
namespace {

constexpr int32_t LastUserEvent = 4095;
constexpr std::string_view LineEnd = "\r\n";

} // namespace

std::string traceEntry(std::string_view text, int32_t event, int32_t control, int32_t selection) {
    std::string entry(runtime::text::clip(text));
    if (std::string_view name = eventName(event); !name.empty()) {
        entry += ' ';
        entry += std::to_string(control);
        entry += name;
        if (eventShowsSelection(event)) {
            entry += std::to_string(selection);
        }
    } else if (event >= runtime::event::User && event <= LastUserEvent) {
        entry += "EVENT:User ";
        entry += std::to_string(event - runtime::event::User);
    }
    if (entry.size() > MaxEntryLength) {
        entry.resize(MaxEntryLength);
    }
    return entry;
}

std::string traceLine(std::string_view text, std::string_view windowName, int32_t event, int32_t control,
                      int32_t selection) {
    std::string line(runtime::text::clip(windowName));
    line += ' ';
    if (event != 0) {
        line += std::to_string(event);
        line += ' ';
    }
    line += runtime::text::clip(traceEntry(text, event, control, selection));
    if (line.size() > MaxLineLength - LineEnd.size()) {
        line.resize(MaxLineLength - LineEnd.size());
    }
    line += LineEnd;
    return line;
}

void WinDebug(std::string_view text, std::string_view windowName, int32_t event, int32_t control) {
    if (!runtime::hasSwitch(DebugSwitch)) {
        return;
    }
    int32_t selection = eventShowsSelection(event) ? host().selection(control) : 0;
    runtime::debugOutput(traceLine(text, windowName, event, control, selection));
}

} // namespace msghook
