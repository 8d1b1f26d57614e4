// rvCallHelpTipEx on real windows: the anchor of each kind of request, the
// thread the tip window runs on, and rvIdeHelp's way in.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <thread>

#include "engine_fixture.h"
#include "help/engine/exports.h"
#include "host_window.h"
#include "runtime/sys/command_line.h"
#include "runtime/sys/events.h"
#include "runtime/sys/ini.h"
#include "runtime/ui/property.h"
#include "runtime/ui/threads.h"
#include "runtime/ui/window.h"

using namespace std::chrono_literals;

namespace {

using helptest::HostWindow;
using helptest::RecordingTipWindow;
using runtime::ui::Prop;
using runtime::ui::Window;

// Where the control is, the way the anchor counts it: the frame's corner on
// the screen plus the control's place in the content, in pixels.
POINT framePlusControl(HostWindow& host, int32_t control) {
    HWND frame = host.handle();
    HWND item = host.window().controlHandle(control);
    HWND content = GetParent(item);
    RECT outer{};
    GetWindowRect(frame, &outer);
    RECT place{};
    GetWindowRect(item, &place);
    MapWindowPoints(nullptr, content, reinterpret_cast<POINT*>(&place), 2);
    return {outer.left + place.left, outer.top + place.top};
}

int32_t request(HostWindow& host, int32_t control, const char* type = "BUTTON") {
    return host.run(
        [control, type](Window&) { return rvCallHelpTipEx("ruvo.rvh", "Host", "?OK", type, control); });
}

class TipRequest : public helptest::EngineTest {};

TEST_F(TipRequest, AControlIsAnchoredAtItsPlaceInTheWindow) {
    HostWindow host(helptest::standardHost());
    help::changeHandOver([](help::HandOver& h) { h.helpField = helptest::OkButton; });
    request(host, helptest::NotesText);
    ASSERT_TRUE(tipWindow->waitForRequests(1));
    POINT expected = framePlusControl(host, helptest::NotesText);
    helptest::TipRequest seen = tipWindow->requests()[0];
    EXPECT_EQ(seen.anchorX, expected.x);
    EXPECT_EQ(seen.anchorY, expected.y);
    EXPECT_EQ(seen.tipFile, "ruvo.rvh");
    EXPECT_EQ(seen.procedure, "Host");
    EXPECT_EQ(seen.control, "?OK");
    EXPECT_EQ(seen.type, "BUTTON");
    EXPECT_EQ(help::handOver().helpField, 0);
    EXPECT_FALSE(host.run([](Window& window) { return window.pixelUnits(); })) << "units not restored";
}

TEST_F(TipRequest, ControlZeroUsesTheHelpFieldOrKeepsTheAnchor) {
    HostWindow host(helptest::standardHost());
    help::changeHandOver([](help::HandOver& h) {
        h.anchorX = 123;
        h.anchorY = 45;
    });
    request(host, 0);
    ASSERT_TRUE(tipWindow->waitForRequests(1));
    EXPECT_EQ(tipWindow->requests()[0].anchorX, 123);
    EXPECT_EQ(tipWindow->requests()[0].anchorY, 45);

    help::changeHandOver([](help::HandOver& h) { h.helpField = helptest::CloseButton; });
    request(host, 0);
    ASSERT_TRUE(tipWindow->waitForRequests(2));
    POINT expected = framePlusControl(host, helptest::CloseButton);
    EXPECT_EQ(tipWindow->requests()[1].anchorX, expected.x);
    EXPECT_EQ(tipWindow->requests()[1].anchorY, expected.y);
    EXPECT_EQ(help::handOver().helpField, 0);
}

TEST_F(TipRequest, AnAnchorOffTheScreenIsCleared) {
    HostWindow host(helptest::standardHost());
    host.run([](Window& window) {
        window.setPixelUnits(true);
        window.set(helptest::OkButton, Prop::X, 2500);
        window.setPixelUnits(false);
    });
    request(host, helptest::OkButton);
    ASSERT_TRUE(tipWindow->waitForRequests(1));
    EXPECT_EQ(tipWindow->requests()[0].anchorX, 0);
    EXPECT_EQ(tipWindow->requests()[0].anchorY, framePlusControl(host, helptest::OkButton).y);
}

TEST_F(TipRequest, APositionalControlIsAnchoredWithoutTheWindowsOrigin) {
    HostWindow host(helptest::standardHost());
    int32_t x = host.run([](Window& window) {
        window.set(helptest::OkButton, Prop::Positional, true);
        window.setPixelUnits(true);
        int32_t pixels = window.get(helptest::OkButton, Prop::X).number32();
        window.setPixelUnits(false);
        return pixels;
    });
    help::changeHandOver([](help::HandOver& h) { h.helpField = helptest::NameEntry; });
    request(host, helptest::OkButton);
    ASSERT_TRUE(tipWindow->waitForRequests(1));
    EXPECT_EQ(tipWindow->requests()[0].anchorX, x);
    EXPECT_EQ(tipWindow->requests()[0].anchorY, 0) << "above the lowest control's bottom: cleared";
    EXPECT_EQ(help::handOver().helpField, helptest::NameEntry) << "the help field stays";
}

TEST_F(TipRequest, ATipWindowRunsOnANewThreadAndTheCallReturnsAtOnce) {
    runtime::ScopedCommandLine commandLine("host.exe /rvh");
    HostWindow host(helptest::standardHost());
    int32_t thread = request(host, helptest::OkButton);
    ASSERT_TRUE(tipWindow->waitForRequests(1));
    EXPECT_EQ(tipWindow->open(), 1) << "returned while the tip window is open";
    helptest::TipRequest seen = tipWindow->requests()[0];
    EXPECT_NE(thread, 0);
    EXPECT_EQ(seen.thread, thread);
    EXPECT_EQ(seen.callingThread, host.thread());
    EXPECT_EQ(help::handOver().tipWindowThread, thread);
    EXPECT_EQ(boxes.stops(), std::vector<std::string>{"Start returned : " + std::to_string(thread)});
}

TEST_F(TipRequest, DevelopmentEnvironmentTipsRunOnTheCallersThreadUntilTheyClose) {
    HostWindow host(helptest::standardHost());
    std::atomic<bool> returned{false};
    std::atomic<int32_t> result{-1};
    std::thread caller([&] {
        result = request(host, 0, "IDE");
        returned = true;
    });
    ASSERT_TRUE(tipWindow->waitForRequests(1));
    helptest::TipRequest seen = tipWindow->requests()[0];
    EXPECT_EQ(seen.thread, host.thread());
    EXPECT_EQ(seen.callingThread, 0);
    std::this_thread::sleep_for(100ms);
    EXPECT_FALSE(returned) << "returned while the tip window was open";
    runtime::ui::post(runtime::event::CloseWindow, 0,
                      host.thread()); // reaches the tip window, the thread's current
    caller.join();
    EXPECT_EQ(result, 0);
    EXPECT_EQ(help::handOver().tipWindowThread, 0);
    EXPECT_TRUE(host.run([](Window& window) { return window.isOpen(); }));
}

TEST_F(TipRequest, WithoutANewThreadTheTipRunsOnTheCallersThread) {
    tipWindow.reset();
    tipWindow.emplace(RecordingTipWindow::Stays::Closed, true);
    HostWindow host(helptest::standardHost());
    EXPECT_EQ(request(host, helptest::OkButton), 0);
    ASSERT_EQ(tipWindow->requests().size(), 1u);
    EXPECT_EQ(tipWindow->requests()[0].thread, host.thread());
    EXPECT_EQ(tipWindow->requests()[0].callingThread, host.thread());
    EXPECT_EQ(help::handOver().tipWindowThread, 0);
}

TEST_F(TipRequest, DevelopmentEnvironmentHelpFindsItsTipsUnderTheRootFolder) {
    tipWindow.reset();
    tipWindow.emplace(RecordingTipWindow::Stays::Closed);
    namespace fs = std::filesystem;
    fs::path folder = fs::temp_directory_path() / "rv_engine_ide_help";
    fs::create_directories(folder);
    runtime::ScopedWindowsFolder windows(folder.string());
    HostWindow host(helptest::standardHost());

    host.run([](Window&) { rvIdeHelp("x"); });
    EXPECT_TRUE(tipWindow->requests().empty()) << "no root: nothing happens";

    ASSERT_TRUE(runtime::writeIni("win.ini", "Corvex 5", "Root", "C:\\Corvex"));
    host.run([](Window&) { rvIdeHelp("guide.rvh,?Locator,files\\index.htm"); });
    ASSERT_EQ(tipWindow->requests().size(), 1u);
    helptest::TipRequest seen = tipWindow->requests()[0];
    EXPECT_EQ(seen.tipFile, "C:\\Corvex\\3rdParty\\Template\\guide.rvh");
    EXPECT_EQ(seen.procedure, "");
    EXPECT_EQ(seen.control, "?Locator");
    EXPECT_EQ(seen.type, "IDE");
    EXPECT_EQ(seen.thread, host.thread());
    EXPECT_EQ(help::engineSettings().documentationBase.clipped(),
              "file:///C:/Corvex/3rdParty/Docs/files/index.htm");
    EXPECT_EQ(help::noHelpText().clipped(),
              ".Could not find the correct guide.rvh file. Please find it, and move "
              "it, to the C:\\Corvex\\3rdParty\\Template\\ directory.");
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

} // namespace
