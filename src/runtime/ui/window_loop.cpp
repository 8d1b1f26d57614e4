// The event loop of a window: where events come from (posted events, window
// input, the accept-all pass), the default processing after the program has
// seen an event, focus and selection.
#include <windows.h>

#include <algorithm>

#include "runtime/sys/events.h"
#include "runtime/sys/interaction.h"
#include "runtime/ui/thread_windows.h"
#include "runtime/ui/threads.h"
#include "runtime/ui/window.h"

namespace runtime::ui {
namespace {

// Events that say "something is so now": one waiting is as good as several.
bool coalesces(int32_t event) {
    return event == event::Timer || event == event::Sized || event == event::MouseMove;
}

void dispatch(MSG& message) {
    Window* owner = windowOwning(message.hwnd);
    if (owner != nullptr && owner->isOpen() && owner->translateInput(message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

} // namespace

// ---- The loop ---------------------------------------------------------------

bool Window::accept() {
    RV_ASSERT(GetCurrentThreadId() == ownerThread_ || closed_,
              "a window is used only by the thread that opened it");
    if (haveCurrent_) {
        haveCurrent_ = false;
        completeEvent();
    }
    while (!closed_) {
        if (nextEvent()) {
            haveCurrent_ = true;
            skipDefault_ = false;
            return true;
        }
        pumpOne(true);
    }
    return false;
}

bool Window::nextEvent() {
    if (this == currentWindow()) {
        if (std::optional<PostedEvent> posted = takePosted()) {
            current_ = {posted->event, posted->control, std::nullopt};
            return true;
        }
    }
    if (!pending_.empty()) {
        current_ = pending_.front();
        pending_.pop_front();
        if (current_.keyCode) {
            keyCode_ = *current_.keyCode;
        }
        return true;
    }
    if (acceptingAll_) {
        return nextAcceptAll();
    }
    return false;
}

bool Window::nextAcceptAll() {
    int32_t after = acceptAllAfter_;
    for (int32_t number = nextField(after); number != 0; number = nextField(number)) {
        Control* control = this->control(number);
        acceptAllAfter_ = number;
        if (control == nullptr || !control->acceptsInput() || !isShown(*control) || !isEnabled(*control)) {
            continue;
        }
        if (control->commit(true) == Control::Commit::Rejected) {
            acceptingAll_ = false;
            current_ = {event::Rejected, number, std::nullopt};
            return true;
        }
        current_ = {event::Accepted, number, std::nullopt};
        return true;
    }
    acceptingAll_ = false;
    current_ = {event::Completed, 0, std::nullopt};
    return true;
}

void Window::completeEvent() {
    Queued done = current_;
    bool skip = std::exchange(skipDefault_, false);
    if (done.number == event::Selected && focusRequest_ != 0 && focusRequest_ == done.control) {
        focusRequest_ = 0;
        if (!skip) {
            focusNow(done.control);
        }
        return;
    }
    if (skip) {
        return;
    }
    switch (done.number) {
    case event::CloseWindow:
    case event::CloseDown:
        closeNow();
        break;
    case event::Accepted:
        if (done.control != 0 && get(done.control, Prop::StandardClose).flag()) {
            pending_.push_front({event::CloseWindow, 0, std::nullopt});
        }
        break;
    case event::Rejected:
        focusNow(done.control);
        break;
    default:
        break;
    }
}

void Window::pumpOne(bool wait) {
    MSG message{};
    if (wait) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            queue(event::CloseDown, 0); // the thread was asked to quit
            return;
        }
        if (got < 0) {
            return;
        }
    } else if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        return;
    }
    dispatch(message);
}

void yield() {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch(message);
    }
}

void Window::queue(int32_t event, int32_t control, std::optional<int32_t> keyCode) {
    if (closed_ || closing_) {
        return;
    }
    if (coalesces(event)) {
        for (const Queued& waiting : pending_) {
            if (waiting.number == event && waiting.control == control) {
                return;
            }
        }
    }
    pending_.push_back({event, control, keyCode});
    // A message another thread sent (activation, focus) is handled inside
    // GetMessageA, which then goes on waiting: without a posted message the
    // event would wait for the next input.
    if (InSendMessage() && handle() != nullptr) {
        PostMessageA(handle(), WM_NULL, 0, 0);
    }
}

void Window::post(int32_t event, int32_t control) const {
    if (!closed_) {
        ui::post(event, control, ownerNumber_);
    }
}

void Window::close() const {
    post(event::CloseWindow, 0);
}

// ---- Focus and selection ----------------------------------------------------

void Window::select(int32_t control) {
    if (control == 0) {
        acceptingAll_ = true;
        acceptAllAfter_ = 0;
        return;
    }
    acceptingAll_ = false;
    if (this->control(control) == nullptr) {
        return;
    }
    focusRequest_ = control;
    queue(event::Selected, control);
}

void Window::focusNow(int32_t control) {
    Control* target = this->control(control);
    if (target == nullptr || !isShown(*target) || !isEnabled(*target)) {
        return;
    }
    quietFocus_ = true;
    SetFocus(target->handle());
    quietFocus_ = false;
    target->onFocus();
}

void Window::restoreFocus() {
    HWND canvas = clientHandle();
    if (canvas == nullptr) {
        return;
    }
    HWND target = lastFocus_;
    bool first =
        target == nullptr || !IsWindow(target) || !IsWindowVisible(target) || !IsWindowEnabled(target);
    if (first) {
        target = GetNextDlgTabItem(canvas, nullptr, FALSE);
    }
    SetFocus(target != nullptr ? target : canvas);
    // The first field is entered with its text selected, as a dialog does.
    if (Control* control = controlOfHandle(target); first && control != nullptr) {
        control->onFocus();
    }
}

void Window::focused(Control& control) {
    lastFocus_ = control.handle();
    if (!quietFocus_ && !closing_) {
        queue(event::Selected, control.number());
    }
}

void Window::leftFocus(Control& control) {
    if (closing_ || closed_) {
        return;
    }
    switch (control.commit(false)) {
    case Control::Commit::Accepted:
        queue(event::Accepted, control.number());
        break;
    case Control::Commit::Rejected:
        queue(event::Rejected, control.number());
        break;
    case Control::Commit::Unchanged:
        break;
    }
}

bool Window::commitFocused(const Control& except) {
    Control* focus = controlOfHandle(GetFocus());
    if (focus == nullptr || focus == &except || !focus->acceptsInput()) {
        return true;
    }
    switch (focus->commit(false)) {
    case Control::Commit::Accepted:
        queue(event::Accepted, focus->number());
        return true;
    case Control::Commit::Rejected:
        queue(event::Rejected, focus->number());
        return false;
    case Control::Commit::Unchanged:
        return true;
    }
    return true;
}

void Window::pressed(Control& control) {
    if (closing_ || closed_) {
        return;
    }
    // Enter presses the default button while an entry still has the focus:
    // what was typed counts first, as when the user leaves the entry.
    if (!commitFocused(control)) {
        return;
    }
    queue(event::Accepted, control.number());
}

} // namespace runtime::ui
