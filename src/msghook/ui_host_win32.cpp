#include "msghook/ui_host.h"

#include "runtime/ui/threads.h"
#include "runtime/ui/window.h"

namespace msghook {

WindowHandles UiHost::currentWindow() {
    runtime::ui::Window* window = runtime::ui::currentWindow();
    if (window == nullptr) {
        return {};
    }
    return {window->handle(), window->clientHandle()};
}

int32_t UiHost::currentThread() {
    return runtime::ui::currentThread();
}

bool UiHost::post(int32_t event, int32_t thread) {
    // Thread 0 would mean the calling thread to the runtime; to the hook it
    // is no thread at all.
    return thread != 0 && runtime::ui::post(event, 0, thread);
}

int32_t UiHost::selection(int32_t) {
    return 0;
}

void installUiHost() {
    static UiHost host;
    msghook::installHost(host);
}

} // namespace msghook
