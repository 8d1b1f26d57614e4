#include <gtest/gtest.h>
#include <optional>

#include "msghook/actions.h"
#include "msghook/diagnostics.h"

namespace {

using msghook::AlertRow;
using msghook::Posting;
namespace wm = msghook::wm;

constexpr int32_t AlertingThread = 7;

AlertRow row(int32_t message, int32_t action) {
    return {nullptr, message, action, 111, AlertingThread, false};
}

struct ResponseCase {
    int32_t action;
    int32_t message;
    intptr_t lParam;
    std::optional<Posting> posting;
    bool callPrevious;
    intptr_t result;
};

TEST(Respond, ActionBits) {
    const Posting alert{1280, false, AlertingThread};
    const ResponseCase cases[] = {
        {5, wm::Help, 0, alert, false, 1}, // post and answer TRUE: the window never sees it
        {6, wm::Help, 0, alert, true, 0},  // the default: post and pass on
        {4, wm::Help, 0, alert, false, 0},
        {0, wm::Help, 0, std::nullopt, false, 0},
        {1, wm::Help, 0, std::nullopt, false, 1},
        {3, wm::Help, 0, std::nullopt, true, 0},
        // Translation posts the message's own event to the window's thread, instead of the alert.
        {14, wm::Close, 0, Posting{513, true, 0}, true, 0},
        {13, wm::LButtonDown, 0, Posting{1, true, 0}, false, 1},
        {12, wm::Help, 0, std::nullopt, false, 0},
        // The private notification turns its sub-code into an event of its own.
        {4, msghook::Notification, 3, Posting{6283, false, AlertingThread}, false, 0},
        {4, msghook::Notification, 0, Posting{6280, false, AlertingThread}, false, 0},
        {4, msghook::Notification, -1, Posting{6279, false, AlertingThread}, false, 0},
    };
    for (const ResponseCase& c : cases) {
        msghook::Response response = msghook::respond(row(c.message, c.action), {c.message, 0, c.lParam});
        EXPECT_EQ(response.posting, c.posting) << "action " << c.action << " message " << c.message;
        EXPECT_EQ(response.callPrevious, c.callPrevious) << "action " << c.action;
        if (!c.callPrevious) {
            EXPECT_EQ(response.result, c.result) << "action " << c.action;
        }
    }
}

TEST(Diagnostics, Texts) {
    msghook::Handle window = reinterpret_cast<msghook::Handle>(intptr_t{4660});
    EXPECT_EQ(msghook::hookFailureText(window, "Invalid window handle.  \r\n"),
              "WinAlert Error : SetLongWindow failed, wa:Handel =             4660 Invalid window handle.");
    std::string longText(300, 'e');
    EXPECT_EQ(msghook::hookFailureText(window, longText).size(), 51u + 16u + 1u + 255u);
    EXPECT_EQ(msghook::missingHandleLine(window),
              "WinAccept Error : get on queue WA failed(2), wa:handel = 4660\r\n");
    EXPECT_EQ(msghook::endSessionStopText(window, 22), "Handle : 4660Message : 22 : (22 translated to 16)");
}

} // namespace
