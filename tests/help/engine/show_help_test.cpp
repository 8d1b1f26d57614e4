// rvSHOWHELP on real windows: the right-click alerts of both passes, the
// caption "?" style, the WM_HELP alert and the hover timer.
#include <windows.h>

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "engine_fixture.h"
#include "help/engine/exports.h"
#include "host_window.h"
#include "msghook/alert_table.h"
#include "msghook/window_procedure.h"
#include "runtime/sys/command_line.h"
#include "runtime/sys/events.h"
#include "runtime/ui/kinds.h"
#include "runtime/ui/labels.h"
#include "runtime/ui/window.h"

namespace {

using helptest::HostSetup;
using helptest::HostWindow;
using runtime::ui::Window;

constexpr int32_t TabPage = 7;

// A window with a tab page among its controls (drawn as a label: only its
// kind matters here).
HostSetup hostWithTab() {
    runtime::ui::registerKind(runtime::kind::Tab, [](Window& window, const runtime::ui::ControlDefinition& d,
                                                     const runtime::ui::Rect& area) {
        return std::make_unique<runtime::ui::Label>(window, d, area);
    });
    HostSetup setup = helptest::standardHost();
    setup.definition.controls.push_back(
        {.number = TabPage, .kind = runtime::kind::Tab, .use = "?Tab1", .at = {160, 8, 40, 10}, .text = "Page"});
    setup.noTipList = "1||";
    return setup;
}

bool rightButtonAlerted(HostWindow& host, int32_t control) {
    return host.run([control](Window& window) { return window.isAlerted(control, runtime::key::MouseRight); });
}

LONG_PTR exStyleOf(HostWindow& host) {
    return GetWindowLongPtrA(host.handle(), GWL_EXSTYLE);
}

bool helpIsAlerted(HostWindow& host) {
    HWND frame = host.handle();
    HWND client = host.run([](Window& window) { return window.clientHandle(); });
    bool frameHooked = GetWindowLongPtrA(frame, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&msghook::WinAccept);
    bool alerted = false;
    for (const msghook::AlertRow& row : msghook::alertTable().rows()) {
        if ((row.handle == frame || row.handle == client) && row.message == WM_HELP) {
            alerted = row.action == 5;
        }
    }
    return frameHooked && alerted;
}

class ShowHelp : public helptest::EngineTest {};

TEST_F(ShowHelp, RightButtonOnEveryControlButTheListedOnesAndTabPages) {
    HostWindow host(hostWithTab());
    EXPECT_FALSE(rightButtonAlerted(host, helptest::NameLabel));
    EXPECT_FALSE(rightButtonAlerted(host, TabPage));
    for (int32_t control : {helptest::NameEntry, helptest::OkButton, helptest::RememberBox, helptest::NotesText,
                            helptest::CloseButton}) {
        EXPECT_TRUE(rightButtonAlerted(host, control)) << control;
    }
    EXPECT_EQ(help::engineSettings().popupText.clipped(), "What's This");
}

TEST_F(ShowHelp, DebugSwitchShowsTheRangeAndEachControlOfBothPasses) {
    runtime::ScopedCommandLine commandLine("host.exe /rvdebug");
    HostSetup setup = hostWithTab();
    setup.definition.controls.resize(3); // label 1, entry 2, button 3
    setup.definition.controls.push_back(hostWithTab().definition.controls.back());
    HostWindow host(setup);
    EXPECT_EQ(boxes.stops(), (std::vector<std::string>{
                                 "Firstfield = 1 Lastfield = 7 nt = |1|||",
                                 "a = 1 nt = |1|||",
                                 "ignoring = 1 nt = |1|||",
                                 "a = 2 nt = |1|||",
                                 "a = 3 nt = |1|||",
                                 "ignoring = 1 nt = |1|||",
                                 "ignoring = 7 nt = |1|||",
                             }));
}

TEST_F(ShowHelp, QuestionMarkOnlyWithoutMinimiseAndMaximiseBoxesWhileHelpIsAlertedEitherWay) {
    {
        HostWindow plain(helptest::standardHost());
        EXPECT_NE(exStyleOf(plain) & WS_EX_CONTEXTHELP, 0);
        EXPECT_TRUE(helpIsAlerted(plain));
    }
    HostSetup withMaximise = helptest::standardHost();
    withMaximise.definition.flags |= runtime::ui::wattr::MaximiseBox;
    HostWindow maximisable(withMaximise);
    EXPECT_EQ(exStyleOf(maximisable) & WS_EX_CONTEXTHELP, 0);
    EXPECT_TRUE(helpIsAlerted(maximisable));
}

TEST_F(ShowHelp, OptionOneLeavesCaptionAndHelpAlone) {
    HostSetup setup = helptest::standardHost();
    setup.options = 1;
    HostWindow host(setup);
    EXPECT_EQ(exStyleOf(host) & WS_EX_CONTEXTHELP, 0);
    EXPECT_FALSE(helpIsAlerted(host));
    EXPECT_TRUE(rightButtonAlerted(host, helptest::OkButton));
}

TEST_F(ShowHelp, HoverTimerIsAFifthOfTheDelayUnlessTheWindowHasOneOrAsksForNone) {
    struct Case {
        int32_t delay;
        int32_t options;
        int32_t ownTimer;
        int32_t expected;
    };
    const Case cases[] = {{300, 0, 0, 60}, {0, 0, 0, 0}, {300, 4, 0, 0}, {300, 0, 8, 8}};
    for (const Case& c : cases) {
        help::resetEngineState();
        if (c.delay != 0) {
            rvSetCueCards(c.delay, 3);
        }
        HostSetup setup = helptest::standardHost();
        setup.options = c.options;
        setup.definition.timer = c.ownTimer;
        HostWindow host(setup);
        EXPECT_EQ(host.run([](Window& window) { return window.timer(); }), c.expected)
            << c.delay << " " << c.options << " " << c.ownTimer;
    }
}

TEST_F(ShowHelp, AGivenPopupTextIsKept) {
    rvSetPopUp("&Help on this");
    HostWindow host(helptest::standardHost());
    EXPECT_EQ(help::engineSettings().popupText.clipped(), "&Help on this");
}

} // namespace
