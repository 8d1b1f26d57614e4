// The window-message hook: lets a window receive Windows messages that the
// runtime's event loop never turns into events. A window alerts a message (or
// a range of them) with an action; the hook then subclasses the window and its
// client area, and when the message arrives it posts the alert event to the
// thread that asked, remembers the message for that thread to read back, and
// either lets the window's previous procedure handle it or answers it itself.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "msghook/types.h"

namespace msghook {

inline constexpr double Version = 2.96;

// With `firstMessage`: alerts firstMessage..lastMessage (lastMessage omitted:
// the first alone) with `action` (omitted: post the alert event and pass the
// message on, see msghook/actions.h) on the calling thread's current window,
// first on its own handle, then on its client-area handle.
// With nothing: un-subclasses the current window, client area first, and
// forgets its alerts. Call it while the window is still open.
// Without `firstMessage` but with another argument: does nothing.
// Windows only.
void WinAlert(std::optional<int32_t> firstMessage = std::nullopt,
              std::optional<int32_t> lastMessage = std::nullopt,
              std::optional<int32_t> action = std::nullopt);

inline double WinVersion() {
    return Version;
}

// The last alerted message of any window. Alert events carry no data, so the
// receiving thread reads it while it handles the event.
int32_t WinLastMessage();

// The window or control for which help was asked by the last alerted WM_HELP.
Handle WinHelpItemHandle();

// Writes a trace line to the debugger output when the program runs with
// "/debug" (see msghook/trace.h for the line).
void WinDebug(std::string_view text, std::string_view windowName = {}, int32_t event = 0,
              int32_t control = 0);

} // namespace msghook
