// The runtime's own window messages, all at a fixed offset from WM_APP so that
// a subclassing module can tell them from the system's.
#pragma once

#include <windows.h>

namespace runtime::ui {

enum Message : UINT {
    // To a thread's sink window: events were posted to the thread's queue.
    WakeMessage = WM_APP + 0x100,
    // To a thread's sink window: work was posted for the thread to run.
    WorkMessage,
};

// Win32 control ids of a window's controls start here, well above the ids the
// dialog manager gives a meaning to (IDOK, IDCANCEL, ...).
inline constexpr int FirstControlId = 1000;

} // namespace runtime::ui
