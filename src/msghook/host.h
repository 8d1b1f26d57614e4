// What the hook needs of the runtime's window layer, behind one replaceable
// interface: the program installs the implementation that speaks to its
// windows and threads, tests install one that records.
#pragma once

#include <cstdint>

#include "msghook/types.h"

namespace msghook {

struct WindowHandles {
    Handle window = nullptr;     // the window's own handle
    Handle clientArea = nullptr; // the handle of its client-area window
};

class Host {
public:
    virtual ~Host() = default;

    // The calling thread's current window; null handles when it has none.
    virtual WindowHandles currentWindow() = 0;
    // The calling thread's runtime thread number (0: none).
    virtual int32_t currentThread() = 0;
    // Posts `event` for control 0 to the runtime thread `thread`; false when
    // there is no such thread. Called from any thread.
    virtual bool post(int32_t event, int32_t thread) = 0;
    // The current selection number of a list control of the calling thread's
    // current window; 0 when there is none.
    virtual int32_t selection(int32_t control) = 0;
};

// Knows no windows and no threads: alerts find no current window and posts go
// nowhere. In force until the program installs its window layer's host.
class DetachedHost : public Host {
public:
    WindowHandles currentWindow() override { return {}; }
    int32_t currentThread() override { return 0; }
    bool post(int32_t, int32_t) override { return false; }
    int32_t selection(int32_t) override { return 0; }
};

// The host in force for the whole process.
Host& host();
void installHost(Host& replacement);

// Installs a replacement for its own lifetime and puts the previous one back.
class ScopedHost {
public:
    explicit ScopedHost(Host& replacement);
    ~ScopedHost();
    ScopedHost(const ScopedHost&) = delete;
    ScopedHost& operator=(const ScopedHost&) = delete;

private:
    Host* previous_;
};

} // namespace msghook
