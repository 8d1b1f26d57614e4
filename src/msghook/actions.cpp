#include "msghook/actions.h"

namespace msghook {

WindowMessage translateEndSession(const WindowMessage& received) {
    if (received.message == wm::EndSession && received.wParam != 0) {
        return {wm::Close, 1, 1};
    }
    return received;
}

int32_t translatedEvent(int32_t message) {
    switch (message) {
    case wm::Close:
        return runtime::event::CloseWindow;
    case wm::MouseMove:
    case wm::NcMouseMove:
        return runtime::event::MouseMove;
    case wm::Timer:
        return runtime::event::Timer;
    case wm::LButtonDown:
    case wm::RButtonDown:
    case wm::MButtonDown:
    case wm::NcLButtonDown:
    case wm::NcRButtonDown:
    case wm::NcMButtonDown:
        return runtime::event::Accepted;
    case wm::LButtonUp:
    case wm::RButtonUp:
    case wm::MButtonUp:
    case wm::NcLButtonUp:
    case wm::NcRButtonUp:
    case wm::NcMButtonUp:
        return runtime::event::MouseUp;
    default:
        return 0;
    }
}

bool isActedOn(const AlertRow& row) {
    return row.message != wm::MouseWheel || row.isClientArea;
}

bool isRemembered(int32_t message) {
    return message != Notification;
}

Response respond(const AlertRow& row, const WindowMessage& message) {
    Response response;
    if (row.action & action::Translate) {
        if (int32_t event = translatedEvent(message.message); event != 0) {
            response.posting = Posting{event, true, 0};
        }
    } else if (row.action & action::PostAlert) {
        // Event numbers are 32-bit: a sub-code that does not fit wraps
        // instead of overflowing.
        int32_t event = message.message == Notification
                            ? static_cast<int32_t>(static_cast<uint32_t>(NotificationEventBase) +
                                                   static_cast<uint32_t>(message.lParam))
                            : AlertEvent;
        response.posting = Posting{event, false, row.thread};
    }
    if (row.action & action::CallPrevious) {
        response.callPrevious = true;
    } else {
        response.result = (row.action & action::ReturnTrue) ? 1 : 0;
    }
    return response;
}

} // namespace msghook
