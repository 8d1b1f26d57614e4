// Boxes, menus and launching: window code answered through the scripted
// interaction, and each box once for real, found on the screen and pressed
// as a person would.
#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <future>
#include <gtest/gtest.h>
#include <thread>

#include "runtime/sys/events.h"
#include "runtime/ui/box_dialog.h"
#include "runtime/ui/popup_menu.h"
#include "runtime/ui/threads.h"
#include "runtime/ui/win32_interaction.h"
#include "support/scripted_interaction.h"
#include "support/ui_harness.h"

namespace {

using namespace runtime;
using namespace runtime::ui;
using namespace std::chrono_literals;
using testing_support::ScriptedInteraction;
using uitest::WindowThread;

constexpr int32_t Quit = 1;

WindowDefinition small() {
    return {.caption = "Asking",
            .at = {40, 40, 120, 50},
            .controls = {{.number = Quit, .kind = kind::Button, .at = {60, 30, 50, 14}, .text = "&Quit"}}};
}

// ---- Window code against the scripted interaction ---------------------------

TEST(ScriptedBoxes, AWindowAsksBeforeClosingAndStaysOpenOnNo) {
    ScriptedInteraction script;
    ScopedInteraction installed(script);
    script.answerMessage(button::No);
    script.answerMessage(button::Yes);
    WindowThread w(small(), [](Window& win) {
        if (win.event() == event::CloseWindow &&
            runtime::message("Close this window?|Changes are kept.", "Asking", Icon::Question,
                             button::Yes | button::No, button::No) != button::Yes) {
            win.skipDefault();
        }
    });
    runtime::ui::post(event::CloseWindow, 0, w.thread());
    ASSERT_TRUE(script.waitForMessages(1));
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(w.finished());
    runtime::ui::post(event::CloseWindow, 0, w.thread());
    EXPECT_TRUE(w.waitFinished());
    ASSERT_EQ(script.messages().size(), 2u);
    EXPECT_EQ(script.messages()[0].text, "Close this window?|Changes are kept.");
    EXPECT_EQ(script.messages()[0].defaultButton, button::No);
}

TEST(ScriptedBoxes, StopHaltPopupAndLaunchesAreAnsweredAndRecorded) {
    ScriptedInteraction script;
    ScopedInteraction installed(script);
    script.answerPopup(3);
    script.answerStop(testing_support::StopAnswer::GoOn);
    script.failRuns(2);
    std::atomic<int32_t> chosen{-1};
    std::atomic<int32_t> runResult{0};
    std::atomic<int32_t> runError{0};
    std::atomic<int32_t> haltCode{-1};
    WindowThread w(small(), [&](Window& win) {
        if (win.event() != event::Accepted) {
            return;
        }
        chosen = interaction().popupMenu("~Properties|~Repeat Last Format|-|Save and Exit|Exit", Point{5, 5});
        runtime::stop("Firstfield = 1 Lastfield = 1");
        int32_t error = 0;
        runResult = interaction().run("hh.exe mk:@msitstore:help.chm::/a.htm", error);
        runError = error;
        interaction().windowsHelp("demo.hlp", "Contents");
        try {
            runtime::halt(7, "Disk Error");
        } catch (const testing_support::Halted& halted) {
            haltCode = halted.exitCode;
        }
    });
    w.run([](Window& win) {
        win.pressButton(Quit);
        return 0;
    });
    ASSERT_TRUE(uitest::waitUntil([&] { return haltCode != -1; }));
    EXPECT_EQ(chosen, 3);
    EXPECT_EQ(script.popups().front(), "~Properties|~Repeat Last Format|-|Save and Exit|Exit");
    EXPECT_EQ(script.stops().front(), "Firstfield = 1 Lastfield = 1");
    EXPECT_EQ(runResult, -4);
    EXPECT_EQ(runError, 2);
    ASSERT_EQ(script.launches().size(), 2u);
    EXPECT_EQ(script.launches()[1].kind, "help");
    EXPECT_EQ(script.launches()[1].detail, "Contents");
    EXPECT_EQ(haltCode, 7);
}

// ---- The real boxes -----------------------------------------------------------

HWND findTopWindow(const char* title, DWORD process = GetCurrentProcessId()) {
    struct Search {
        const char* title;
        DWORD process;
        HWND found;
    } search{title, process, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* wanted = reinterpret_cast<Search*>(data);
            char text[128] = {};
            GetWindowTextA(window, text, sizeof text);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == wanted->process && std::string(text) == wanted->title && IsWindowVisible(window)) {
                wanted->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForTopWindow(const char* title, DWORD process = GetCurrentProcessId()) {
    HWND found = nullptr;
    uitest::waitUntil([&] { return (found = findTopWindow(title, process)) != nullptr; }, 15s);
    return found;
}

std::string textOf(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The button of a box with this caption.
HWND buttonLabelled(HWND box, const std::string& label) {
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (textOf(child) == label) {
            return child;
        }
    }
    return nullptr;
}

TEST(RealBoxes, AMessageBoxShowsItsLinesAndDefaultAndAnswersThePressedButton) {
    Win32Interaction real;
    std::future<int32_t> answer = std::async(std::launch::async, [&] {
        return real.message({"First line|Second line", "Real box", Icon::Question,
                             button::Yes | button::No | button::Cancel, button::No});
    });
    HWND box = waitForTopWindow("Real box");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(textOf(GetDlgItem(box, 0xFFFF)), "First line\r\nSecond line");
    EXPECT_NE(GetWindowLongPtrA(GetDlgItem(box, IDNO), GWL_STYLE) & BS_DEFPUSHBUTTON, 0)
        << "No is the default";
    PostMessageA(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
    EXPECT_EQ(answer.get(), button::No);
}

TEST(RealBoxes, AButtonSetTheSystemBoxLacksIsShownByOurOwnBox) {
    Win32Interaction real;
    std::future<int32_t> answer = std::async(std::launch::async, [&] {
        return real.message({"Keep going?", "Own box", Icon::Exclamation, button::Yes | button::Cancel, 0});
    });
    HWND box = waitForTopWindow("Own box");
    ASSERT_NE(box, nullptr);
    ASSERT_NE(buttonLabelled(box, "&Yes"), nullptr);
    ASSERT_NE(buttonLabelled(box, "Cancel"), nullptr);
    EXPECT_EQ(buttonLabelled(box, "&No"), nullptr);
    PostMessageA(box, WM_COMMAND, IDCANCEL, 0); // Esc
    EXPECT_EQ(answer.get(), button::Cancel);
}

TEST(RealBoxes, TheStopBoxGoesOnWhenContinued) {
    Win32Interaction real;
    std::atomic<bool> returned{false};
    std::thread asking([&] {
        real.stop("Loading tip from : ruvo.rvh");
        returned = true;
    });
    HWND box = waitForTopWindow("Stop");
    ASSERT_NE(box, nullptr);
    HWND goOn = buttonLabelled(box, "&Continue");
    ASSERT_NE(goOn, nullptr);
    EXPECT_NE(buttonLabelled(box, "&End Program"), nullptr);
    PostMessageA(goOn, BM_CLICK, 0, 0);
    asking.join();
    EXPECT_TRUE(returned);
}

TEST(RealBoxes, APopupMenuAnswersTheChosenItemsNumberOrNothing) {
    const char* text = "&One|~&Two|-|T&hree{&Four|F&ive}&Six";
    for (const auto& [keys, expected] : std::vector<std::pair<std::string, int32_t>>{
             {"s", 5}, {"hi", 4}, {"\x1b", 0}, {"t\x1b", 0}}) { // "Two" is unavailable
        std::future<int32_t> chosen =
            std::async(std::launch::async, [&] { return popupMenu(text, std::nullopt); });
        ASSERT_TRUE(uitest::waitUntil([] { return FindWindowA("#32768", nullptr) != nullptr; }));
        std::this_thread::sleep_for(100ms);
        for (char key : keys) {
            uitest::pressKey(key == '\x1b' ? VK_ESCAPE : static_cast<WORD>(std::toupper(key)));
            std::this_thread::sleep_for(100ms);
        }
        ASSERT_EQ(chosen.wait_for(10s), std::future_status::ready) << keys;
        EXPECT_EQ(chosen.get(), expected) << keys;
    }
}

TEST(RealBoxes, RunningAProgramStartsItOrReportsWhyNot) {
    Win32Interaction real;
    int32_t error = -1;
    EXPECT_EQ(real.run("no_such_program_anywhere.exe", error), -4);
    EXPECT_EQ(error, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(real.run("cmd.exe /c rem", error), 0);
    EXPECT_EQ(error, 0);
    EXPECT_LE(real.shellExecute(nullptr, "open", "no_such_file_anywhere.txt", "", "", SW_SHOWNORMAL), 32);
}

TEST(RealBoxes, TheFontDialogIsCancelledOrConfirmed) {
    Win32Interaction real;
    for (bool confirm : {false, true}) {
        FontSpec font{"Tahoma", 12, 0xFF0000, 700};
        std::future<bool> chosen = std::async(
            std::launch::async, [&] { return real.chooseFont("Select the Font for this String", font); });
        HWND dialog = waitForTopWindow("Select the Font for this String");
        ASSERT_NE(dialog, nullptr);
        std::this_thread::sleep_for(100ms);
        PostMessageA(dialog, WM_COMMAND, confirm ? IDOK : IDCANCEL, 0);
        EXPECT_EQ(chosen.get(), confirm);
        if (confirm) {
            EXPECT_EQ(font.typeface, "Tahoma");
            EXPECT_EQ(font.size, 12);
            EXPECT_EQ(font.colour, 0xFF0000);
            EXPECT_EQ(font.style & 0xFFF, 700);
        }
    }
}

// ---- Boxes that end the program, in a second process ------------------------

// Runs in the second process only: the box ends it.
TEST(RealBoxesChild, EndsTheProgram) {
    const char* what = std::getenv("RV_UI_CHILD");
    if (what == nullptr) {
        GTEST_SKIP() << "runs as the second process of the tests below";
    }
    Win32Interaction real;
    std::string which(what);
    if (which == "halt") {
        real.halt(7, "Disk Error");
    } else if (which == "stop") {
        real.stop("Ending from the stop box");
    } else if (which == "assert") {
        real.assertionFailed("Primary must be set", "window_manager.cpp", 12);
    }
    FAIL() << "the box returned";
}

struct Child {
    PROCESS_INFORMATION process{};
    HANDLE quiet = INVALID_HANDLE_VALUE;
    ~Child() {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        CloseHandle(quiet);
    }
};

bool startChild(const char* what, Child& child) {
    SetEnvironmentVariableA("RV_UI_CHILD", what);
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string line = std::string("\"") + self + "\" --gtest_filter=RealBoxesChild.EndsTheProgram";
    // The second process's test report is not ours to show.
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    child.quiet = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherited, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = child.quiet;
    startup.hStdError = child.quiet;
    BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                                  &child.process);
    SetEnvironmentVariableA("RV_UI_CHILD", nullptr);
    return started != FALSE;
}

DWORD waitForExit(const Child& child) {
    if (WaitForSingleObject(child.process.hProcess, 20000) != WAIT_OBJECT_0) {
        TerminateProcess(child.process.hProcess, 99);
        return 99;
    }
    DWORD code = 0;
    GetExitCodeProcess(child.process.hProcess, &code);
    return code;
}

TEST(RealBoxes, HaltShowsItsBoxThenEndsWithTheExitCode) {
    Child child;
    ASSERT_TRUE(startChild("halt", child));
    HWND box = waitForTopWindow("Halt", child.process.dwProcessId);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(textOf(GetDlgItem(box, 0xFFFF)), "Disk Error");
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(waitForExit(child), 7u);
}

TEST(RealBoxes, EndingTheProgramFromTheStopBoxEndsIt) {
    Child child;
    ASSERT_TRUE(startChild("stop", child));
    HWND box = waitForTopWindow("Stop", child.process.dwProcessId);
    ASSERT_NE(box, nullptr);
    PostMessageA(buttonLabelled(box, "&End Program"), BM_CLICK, 0, 0);
    EXPECT_EQ(waitForExit(child), 0u);
}

TEST(RealBoxes, AnAssertionIsReportedThenTheProgramEnds) {
    Child child;
    ASSERT_TRUE(startChild("assert", child));
    HWND box = waitForTopWindow("Assertion failed", child.process.dwProcessId);
    ASSERT_NE(box, nullptr);
    EXPECT_NE(textOf(GetDlgItem(box, 0xFFFF)).find("Primary must be set"), std::string::npos);
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(waitForExit(child), 3u);
}

} // namespace
