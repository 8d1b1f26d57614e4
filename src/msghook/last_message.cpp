#include "msghook/last_message.h"

#include <atomic>

#include "msghook/hook.h"

namespace msghook {
namespace {

std::atomic<int32_t> lastMessage{0};
std::atomic<Handle> lastHelpItem{nullptr};

} // namespace

void rememberMessage(int32_t message) {
    lastMessage.store(message);
}

void rememberHelpItem(Handle item) {
    lastHelpItem.store(item);
}

int32_t WinLastMessage() {
    return lastMessage.load();
}

Handle WinHelpItemHandle() {
    return lastHelpItem.load();
}

} // namespace msghook
