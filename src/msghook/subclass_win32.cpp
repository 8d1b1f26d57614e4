// Subclassing: WinAlert hooks and releases window handles, WinAccept receives
// every message of a hooked handle and acts on the alerted ones.
#include <windows.h>

#include <memory>
#include <string>

#include "msghook/actions.h"
#include "msghook/alert_table.h"
#include "msghook/diagnostics.h"
#include "msghook/hook.h"
#include "msghook/host.h"
#include "msghook/last_message.h"
#include "msghook/window_procedure.h"
#include "runtime/sys/command_line.h"
#include "runtime/sys/debug_output.h"
#include "runtime/sys/interaction.h"

namespace msghook {
namespace {

struct LocalFreer {
    void operator()(char* text) const { LocalFree(text); }
};

std::string systemErrorText(DWORD code) {
    char* text = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::unique_ptr<char, LocalFreer> owned(text);
    return length == 0 ? std::string() : std::string(text, length);
}

Procedure hookProcedure() {
    return reinterpret_cast<Procedure>(&WinAccept);
}

LRESULT callProcedure(Procedure procedure, HWND window, const WindowMessage& m) {
    // CallWindowProcA with no procedure answers 0 to everything, which would
    // leave the window unable even to paint or close; the default handling
    // keeps it usable.
    if (procedure == 0) {
        return DefWindowProcA(window, static_cast<UINT>(m.message), m.wParam, m.lParam);
    }
    return CallWindowProcA(reinterpret_cast<WNDPROC>(procedure), window, static_cast<UINT>(m.message),
                           m.wParam, m.lParam);
}

void alertOn(Handle handle, const AlertRange& range) {
    if (handle == nullptr) {
        return;
    }
    DWORD failure = 0;
    AlertRange onHandle = range;
    onHandle.handle = handle;
    alertTable().alert(onHandle, [&failure](Handle h) {
        SetLastError(0);
        LONG_PTR previous = SetWindowLongPtrA(static_cast<HWND>(h), GWLP_WNDPROC, hookProcedure());
        if (previous == 0) {
            failure = GetLastError();
        }
        return static_cast<Procedure>(previous);
    });
    if (failure != 0) {
        WinDebug(hookFailureText(handle, systemErrorText(failure)));
    }
}

void release(Handle handle) {
    if (handle == nullptr) {
        return;
    }
    alertTable().release(handle, [](Handle h, Procedure previous) {
        SetWindowLongPtrA(static_cast<HWND>(h), GWLP_WNDPROC, static_cast<LONG_PTR>(previous));
    });
}

void post(const Posting& posting) {
    int32_t thread = posting.toCurrentThread ? host().currentThread() : posting.thread;
    host().post(posting.event, thread);
}

Handle helpItemOf(LPARAM lParam) {
    // Read as the record it is: the member's offset differs between 32 and
    // 64 bits. A sender may pass no record at all.
    const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
    return info == nullptr ? nullptr : info->hItemHandle;
}

LRESULT dispatch(HWND window, const WindowMessage& m) {
    std::optional<AlertRow> row = alertTable().find(window, m.message);
    if (row && !isActedOn(*row)) {
        row.reset();
    }
    if (!row) {
        if (std::optional<Procedure> previous = alertTable().previousProcedure(window)) {
            return callProcedure(*previous, window, m);
        }
        runtime::debugOutput(missingHandleLine(window));
        WinDebug(MissingHandleTrace);
        return callProcedure(alertTable().lastReleasedProcedure(), window, m);
    }
    if (isRemembered(m.message)) {
        if (m.message == wm::Help) {
            rememberHelpItem(helpItemOf(m.lParam));
        }
        rememberMessage(m.message);
    }
    Response response = respond(*row, m);
    if (response.posting) {
        post(*response.posting);
    }
    if (response.callPrevious) {
        return callProcedure(row->returnTo, window, m);
    }
    return response.result;
}

} // namespace

void WinAlert(std::optional<int32_t> firstMessage, std::optional<int32_t> lastMessage,
              std::optional<int32_t> action) {
    WindowHandles current = host().currentWindow();
    if (!firstMessage) {
        if (!lastMessage && !action) {
            release(current.clientArea);
            release(current.window);
        }
        return;
    }
    AlertRange range;
    range.first = *firstMessage;
    range.last = lastMessage.value_or(*firstMessage);
    range.action = action.value_or(action::Default);
    range.thread = host().currentThread();
    range.isClientArea = current.window == current.clientArea;
    alertOn(current.window, range);
    range.isClientArea = true;
    alertOn(current.clientArea, range);
}

LRESULT CALLBACK WinAccept(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowMessage received{static_cast<int32_t>(message), wParam, lParam};
    if ((received.message == wm::QueryEndSession || received.message == wm::EndSession) &&
        runtime::hasSwitch(EndSessionSwitch)) {
        runtime::stop(endSessionStopText(window, received.message));
    }
    LRESULT result = dispatch(window, translateEndSession(received));
    // A destroyed window's alerts must not outlive it: Windows may give its
    // handle to a new window, which would then never be hooked and would
    // later get this window's previous procedure.
    if (received.message == wm::NcDestroy) {
        release(window);
    }
    return result;
}

} // namespace msghook
