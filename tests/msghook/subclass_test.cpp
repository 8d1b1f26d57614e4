#include <windows.h>

#include <algorithm>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "msghook/actions.h"
#include "msghook/alert_table.h"
#include "msghook/hook.h"
#include "msghook/host.h"
#include "msghook/window_procedure.h"
#include "runtime/sys/command_line.h"
#include "runtime/sys/debug_output.h"
#include "runtime/sys/interaction.h"
#include "support/scripted_interaction.h"

namespace {

using msghook::WinAlert;

constexpr UINT TestMessage = WM_USER + 5;
constexpr LRESULT TestAnswer = 42;
constexpr int32_t AlertingThread = 7;
constexpr int32_t WindowThread = 9;
// The message the system's message loop sends for an F1 press; the headers
// leave it out.
constexpr UINT KeyF1 = 0x004D;

struct Received {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

std::vector<Received> windowLog;
std::vector<Received> otherLog;

// The windows' own procedure: records what reaches it and keeps the window
// open when asked to close, so a test can look at it afterwards.
LRESULT answer(std::vector<Received>& log, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    log.push_back({window, message, wParam, lParam});
    if (message == WM_CLOSE || message == WM_ENDSESSION) {
        return 0;
    }
    if (message == TestMessage) {
        return TestAnswer;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return answer(windowLog, window, message, wParam, lParam);
}

LRESULT CALLBACK otherProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return answer(otherLog, window, message, wParam, lParam);
}

const char* registerClass(const char* name, WNDPROC procedure) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
    return name;
}

const char* const WindowClass = registerClass("MsgHookTestWindow", windowProcedure);
const char* const OtherClass = registerClass("MsgHookTestOther", otherProcedure);

std::vector<Received> received(const std::vector<Received>& log, HWND window, UINT message) {
    std::vector<Received> found;
    std::copy_if(log.begin(), log.end(), std::back_inserter(found),
                 [&](const Received& r) { return r.window == window && r.message == message; });
    return found;
}

LONG_PTR procedureOf(HWND window) {
    return GetWindowLongPtrA(window, GWLP_WNDPROC);
}

LONG_PTR hookProcedure() {
    return reinterpret_cast<LONG_PTR>(&msghook::WinAccept);
}

std::vector<msghook::AlertRow> rowsOf(HWND window) {
    std::vector<msghook::AlertRow> rows = msghook::alertTable().rows();
    std::erase_if(rows, [window](const msghook::AlertRow& row) { return row.handle != window; });
    return rows;
}

std::string decimal(HWND window) {
    return std::to_string(reinterpret_cast<intptr_t>(window));
}

class RecordingHost : public msghook::Host {
public:
    msghook::WindowHandles current;
    int32_t thread = AlertingThread;
    std::vector<std::pair<int32_t, int32_t>> posted; // event, thread

    msghook::WindowHandles currentWindow() override { return current; }
    int32_t currentThread() override { return thread; }
    bool post(int32_t event, int32_t toThread) override {
        posted.emplace_back(event, toThread);
        return true;
    }
    int32_t selection(int32_t) override { return 0; }
};

HWND create(const char* windowClass, DWORD style, HWND parent) {
    return CreateWindowExA(0, windowClass, "Hook test", style, 10, 10, 300, 200, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

class Subclassing : public ::testing::Test {
protected:
    void SetUp() override {
        frame = create(WindowClass, WS_OVERLAPPEDWINDOW, nullptr);
        client = create(WindowClass, WS_CHILD | WS_VISIBLE, frame);
        button = CreateWindowExA(0, "BUTTON", "Help", WS_CHILD | WS_VISIBLE, 5, 5, 60, 20, client, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(frame && client && button);
        host.current = {frame, client};
        windowLog.clear();
        otherLog.clear();
    }

    void TearDown() override {
        host.current = {frame, client};
        WinAlert();
        DestroyWindow(frame);
    }

    LRESULT sendHelp(HWND to, HWND item) {
        HELPINFO info{};
        info.cbSize = sizeof info;
        info.iContextType = HELPINFO_WINDOW;
        info.iCtrlId = GetDlgCtrlID(item);
        info.hItemHandle = item;
        info.MousePos = {20, 20};
        return SendMessageA(to, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    }

    using Posted = std::vector<std::pair<int32_t, int32_t>>;

    RecordingHost host;
    msghook::ScopedHost scopedHost{host};
    HWND frame = nullptr;
    HWND client = nullptr;
    HWND button = nullptr;
};

TEST_F(Subclassing, HelpIsAlertedToTheAskingThreadAndAnsweredByTheHook) {
    WinAlert(83, 83, 5);
    EXPECT_EQ(procedureOf(frame), hookProcedure());
    EXPECT_EQ(procedureOf(client), hookProcedure());

    EXPECT_EQ(sendHelp(frame, button), 1);
    EXPECT_EQ(host.posted, (Posted{{1280, AlertingThread}}));
    EXPECT_EQ(msghook::WinLastMessage(), 83);
    EXPECT_EQ(msghook::WinHelpItemHandle(), button);
    EXPECT_TRUE(received(windowLog, frame, WM_HELP).empty()) << "the window's procedure saw WM_HELP";
}

TEST_F(Subclassing, HelpAskedBySystemReadsTheSystemsRecord) {
    WinAlert(83, 83, 5);
    // F1 on the button: the system builds the help record and hands WM_HELP up
    // from the button to its parent, the client area.
    SendMessageA(button, KeyF1, 0, 0);
    EXPECT_EQ(host.posted, (Posted{{1280, AlertingThread}}));
    EXPECT_EQ(msghook::WinLastMessage(), 83);
    EXPECT_EQ(msghook::WinHelpItemHandle(), button);
    EXPECT_TRUE(received(windowLog, client, WM_HELP).empty());
}

TEST_F(Subclassing, TheDefaultActionPostsAndPassesTheMessageOn) {
    WinAlert(TestMessage);
    EXPECT_EQ(SendMessageA(frame, TestMessage, 1, 2), TestAnswer);
    EXPECT_EQ(received(windowLog, frame, TestMessage).size(), 1u);
    EXPECT_EQ(host.posted, (Posted{{1280, AlertingThread}}));
    EXPECT_EQ(msghook::WinLastMessage(), static_cast<int32_t>(TestMessage));
    ASSERT_EQ(rowsOf(frame).size(), 1u);
    EXPECT_EQ(rowsOf(frame)[0].action, msghook::action::Default);
    EXPECT_EQ(rowsOf(client)[0].action, msghook::action::Default);
}

TEST_F(Subclassing, AlertingAgainChangesTheActionAndReleaseRestoresTheFirstProcedure) {
    LONG_PTR original = procedureOf(frame);
    WinAlert(TestMessage);
    WinAlert(TestMessage, TestMessage, 5);
    EXPECT_EQ(procedureOf(frame), hookProcedure());
    EXPECT_EQ(rowsOf(frame).size(), 1u);
    EXPECT_EQ(SendMessageA(frame, TestMessage, 0, 0), 1);
    EXPECT_TRUE(received(windowLog, frame, TestMessage).empty());

    WinAlert();
    EXPECT_EQ(procedureOf(frame), original);
    EXPECT_EQ(procedureOf(client), original);
    EXPECT_TRUE(rowsOf(frame).empty());
    EXPECT_TRUE(rowsOf(client).empty());
    host.posted.clear();
    EXPECT_EQ(SendMessageA(frame, TestMessage, 0, 0), TestAnswer);
    EXPECT_TRUE(host.posted.empty());
}

TEST_F(Subclassing, CallsThatAlertNothing) {
    LONG_PTR original = procedureOf(frame);
    WinAlert(std::nullopt, TestMessage);
    WinAlert(std::nullopt, std::nullopt, 5);
    WinAlert(TestMessage + 1, TestMessage); // an empty range
    EXPECT_EQ(procedureOf(frame), original);
    EXPECT_TRUE(rowsOf(frame).empty());

    WinAlert(TestMessage);
    WinAlert(std::nullopt, TestMessage); // not a release either
    EXPECT_EQ(procedureOf(frame), hookProcedure());
}

TEST_F(Subclassing, EndSessionReachesTheWindowAsClose) {
    WinAlert(TestMessage); // hooked, but the session messages are not alerted
    SendMessageA(frame, WM_ENDSESSION, TRUE, 0);
    std::vector<Received> closes = received(windowLog, frame, WM_CLOSE);
    ASSERT_EQ(closes.size(), 1u);
    EXPECT_EQ(closes[0].wParam, 1u);
    EXPECT_EQ(closes[0].lParam, 1);
    EXPECT_TRUE(received(windowLog, frame, WM_ENDSESSION).empty());

    SendMessageA(frame, WM_ENDSESSION, FALSE, 7);
    std::vector<Received> ends = received(windowLog, frame, WM_ENDSESSION);
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].lParam, 7);
    EXPECT_TRUE(host.posted.empty());

    // An alerted close is acted on as the close it became.
    WinAlert(WM_CLOSE, WM_CLOSE, msghook::action::Translate | msghook::action::CallPrevious);
    host.thread = WindowThread;
    SendMessageA(frame, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(host.posted, (Posted{{513, WindowThread}}));
    EXPECT_EQ(received(windowLog, frame, WM_CLOSE).size(), 2u);
}

TEST_F(Subclassing, EndSessionDiagnosticsShowAStopBox) {
    testing_support::ScriptedInteraction boxes;
    runtime::ScopedInteraction scopedBoxes(boxes);
    runtime::ScopedCommandLine commandLine("msghook_window_test.exe /tavi");
    WinAlert(TestMessage);
    SendMessageA(frame, WM_QUERYENDSESSION, 0, 0);
    SendMessageA(frame, WM_ENDSESSION, FALSE, 0);
    SendMessageA(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(boxes.stops(), (std::vector<std::string>{
                                 "Handle : " + decimal(frame) + "Message : 17 : (22 translated to 16)",
                                 "Handle : " + decimal(frame) + "Message : 22 : (22 translated to 16)",
                             }));
}

TEST_F(Subclassing, TheMouseWheelIsActedOnOnlyInTheClientArea) {
    WinAlert(WM_MOUSEWHEEL);
    SendMessageA(frame, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_TRUE(host.posted.empty());
    EXPECT_EQ(received(windowLog, frame, WM_MOUSEWHEEL).size(), 1u);

    // The client area's own handling passes the wheel up to the frame, which
    // does not act on it again.
    SendMessageA(client, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(host.posted, (Posted{{1280, AlertingThread}}));
    EXPECT_EQ(received(windowLog, client, WM_MOUSEWHEEL).size(), 1u);
}

TEST_F(Subclassing, ANotificationPostsItsSubCodeAndKeepsTheLastMessage) {
    WinAlert(83, 83, 5);
    sendHelp(frame, button);
    WinAlert(msghook::Notification, msghook::Notification, msghook::action::PostAlert);
    host.posted.clear();
    EXPECT_EQ(SendMessageA(frame, msghook::Notification, 0, 3), 0);
    EXPECT_EQ(host.posted, (Posted{{6283, AlertingThread}}));
    EXPECT_EQ(msghook::WinLastMessage(), 83);
    EXPECT_EQ(msghook::WinHelpItemHandle(), button);
    EXPECT_TRUE(received(windowLog, frame, msghook::Notification).empty());
}

TEST_F(Subclassing, TranslatedMessagesPostTheirOwnEventsToTheWindowsThread) {
    constexpr int32_t translate =
        msghook::action::Translate | msghook::action::PostAlert | msghook::action::CallPrevious;
    for (UINT message : {WM_CLOSE, WM_MOUSEMOVE, WM_TIMER, WM_LBUTTONDOWN, WM_NCRBUTTONUP, WM_SIZE}) {
        WinAlert(static_cast<int32_t>(message), static_cast<int32_t>(message), translate);
    }
    host.thread = WindowThread;
    SendMessageA(frame, WM_CLOSE, 0, 0);
    SendMessageA(frame, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(frame, WM_NCRBUTTONUP, HTCAPTION, 0);
    SendMessageA(frame, WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
    EXPECT_EQ(host.posted, (Posted{{513, WindowThread}, {1, WindowThread}, {10, WindowThread}}));

    // Through the thread's message loop, with a real timer.
    host.posted.clear();
    PostMessageA(frame, WM_MOUSEMOVE, 0, MAKELPARAM(7, 7));
    SetTimer(frame, 1, 10, nullptr);
    MSG msg;
    DWORD start = GetTickCount();
    while (host.posted.size() < 2 && GetTickCount() - start < 5000) {
        if (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            DispatchMessageA(&msg);
        }
    }
    KillTimer(frame, 1);
    ASSERT_GE(host.posted.size(), 2u);
    EXPECT_EQ(host.posted[0], std::make_pair(13, WindowThread));
    EXPECT_EQ(host.posted[1], std::make_pair(523, WindowThread));
    for (UINT message : {WM_CLOSE, WM_LBUTTONDOWN, WM_NCRBUTTONUP, WM_SIZE, WM_MOUSEMOVE, WM_TIMER}) {
        EXPECT_FALSE(received(windowLog, frame, message).empty()) << "not passed on: " << message;
    }
}

TEST_F(Subclassing, AMessageForAHandleWithoutAlertsGoesToTheLastReleasedProcedure) {
    HWND other = create(OtherClass, WS_OVERLAPPEDWINDOW, nullptr);
    host.current = {other, nullptr};
    WinAlert(TestMessage);
    WinAlert();
    host.current = {frame, client};
    DestroyWindow(other);

    HWND stray = create(WindowClass, WS_OVERLAPPEDWINDOW, nullptr);
    SetWindowLongPtrA(stray, GWLP_WNDPROC, hookProcedure());
    otherLog.clear();
    const std::string failure =
        "WinAccept Error : get on queue WA failed(2), wa:handel = " + decimal(stray) + "\r\n";
    {
        runtime::ScopedDebugCapture output;
        EXPECT_EQ(SendMessageA(stray, TestMessage, 0, 0), TestAnswer);
        EXPECT_EQ(output.texts(), std::vector<std::string>{failure});
    }
    {
        runtime::ScopedCommandLine commandLine("msghook_window_test.exe /debug");
        runtime::ScopedDebugCapture output;
        SendMessageA(stray, TestMessage, 0, 0);
        EXPECT_EQ(output.texts(),
                  (std::vector<std::string>{failure, " WinAccept get on queue WA failed(2)\r\n"}));
    }
    EXPECT_EQ(received(otherLog, stray, TestMessage).size(), 2u);
    EXPECT_TRUE(received(windowLog, stray, TestMessage).empty());
    SetWindowLongPtrA(stray, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&windowProcedure));
    DestroyWindow(stray);
}

TEST_F(Subclassing, AFailedHookIsTracedAndLeavesNothingToRestore) {
    HWND gone = create(WindowClass, WS_OVERLAPPEDWINDOW, nullptr);
    DestroyWindow(gone);
    host.current = {gone, nullptr};
    runtime::ScopedCommandLine commandLine("msghook_window_test.exe /debug");
    runtime::ScopedDebugCapture output;
    WinAlert(TestMessage);

    std::string handle = decimal(gone);
    std::string prefix =
        " WinAlert Error : SetLongWindow failed, wa:Handel = " + std::string(16 - handle.size(), ' ') +
        handle + " ";
    ASSERT_EQ(output.texts().size(), 1u);
    std::string line = output.texts()[0];
    EXPECT_EQ(line.substr(0, prefix.size()), prefix);
    EXPECT_GT(line.size(), prefix.size() + 2) << "no system text";
    EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
    ASSERT_EQ(rowsOf(gone).size(), 1u);
    EXPECT_EQ(rowsOf(gone)[0].returnTo, 0);

    WinAlert();
    EXPECT_TRUE(rowsOf(gone).empty());
}

TEST_F(Subclassing, ADestroyedWindowLeavesNoAlertsBehind) {
    WinAlert(83, 83, 5);
    ASSERT_FALSE(rowsOf(frame).empty());
    DestroyWindow(frame);
    EXPECT_TRUE(rowsOf(frame).empty());
    EXPECT_TRUE(rowsOf(client).empty());
    frame = client = button = nullptr;
}

} // namespace
