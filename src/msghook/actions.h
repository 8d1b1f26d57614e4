// What the hook does with a message that arrives on a hooked window: which
// event it posts where, and whether the window's previous procedure still
// handles the message or the hook answers it.
#pragma once

#include <cstdint>
#include <optional>

#include "msghook/alert_table.h"
#include "runtime/sys/events.h"

namespace msghook {

// Action bits of an alert.
namespace action {
inline constexpr int32_t ReturnTrue = 1;   // answer 1 when the previous procedure is not called
inline constexpr int32_t CallPrevious = 2; // the previous procedure handles the message afterwards
inline constexpr int32_t PostAlert = 4;    // post the alert event to the alerting thread
inline constexpr int32_t Translate = 8;    // post the message's own runtime event instead
inline constexpr int32_t Default = PostAlert | CallPrevious;
} // namespace action

inline constexpr int32_t AlertEvent = runtime::event::Alert;

// A private notification between threads: the sender puts a sub-code in
// lParam and the alerting thread receives NotificationEventBase + sub-code.
inline constexpr int32_t Notification = 25000;
inline constexpr int32_t NotificationEventBase = AlertEvent + 5000;

// A message as a window procedure receives it.
struct WindowMessage {
    int32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;

    friend bool operator==(const WindowMessage&, const WindowMessage&) = default;
};

// The end of the session asks the window to close, so a window closes through
// its usual close handling: WM_ENDSESSION with a non-zero wParam becomes
// WM_CLOSE with wParam 1 and lParam 1. Every other message is unchanged.
WindowMessage translateEndSession(const WindowMessage& received);

// The runtime event a message becomes under Translate; 0 for a message that
// has none.
int32_t translatedEvent(int32_t message);

// A row found for a message is acted on, except the mouse wheel on a window's
// own handle: the wheel reaches a window twice, and only its client area
// acts on it.
bool isActedOn(const AlertRow& row);

// Whether an alerted message becomes the last alerted message; notifications
// carry no message a reader would look for.
bool isRemembered(int32_t message);

struct Posting {
    int32_t event = 0;
    bool toCurrentThread = false; // else to `thread`
    int32_t thread = 0;

    friend bool operator==(const Posting&, const Posting&) = default;
};

struct Response {
    std::optional<Posting> posting;
    bool callPrevious = false;
    intptr_t result = 0; // the answer to Windows when the previous procedure is not called
};

// The response to an alerted message under its row's action.
Response respond(const AlertRow& row, const WindowMessage& message);

} // namespace msghook
