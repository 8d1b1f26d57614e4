// The hook's host on the runtime's windows and threads: the current window
// is the calling thread's current runtime window (its frame and its content
// area), alerts go to runtime threads through the runtime's event posting.
// A program installs it once at start-up, before its first window opens.
// Windows only.
#pragma once

#include "msghook/host.h"

namespace msghook {

class UiHost : public Host {
public:
    WindowHandles currentWindow() override;
    int32_t currentThread() override;
    bool post(int32_t event, int32_t thread) override;
    // Always 0 until the runtime has list controls with a selection.
    int32_t selection(int32_t control) override;
};

// Makes a process-wide UiHost the hook's host.
void installUiHost();

} // namespace msghook
