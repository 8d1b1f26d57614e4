#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "msghook/event_names.h"
#include "msghook/hook.h"
#include "msghook/host.h"
#include "msghook/trace.h"
#include "runtime/sys/command_line.h"
#include "runtime/sys/debug_output.h"

namespace {

using msghook::traceEntry;
using msghook::traceLine;

struct LineCase {
    const char* text;
    const char* windowName;
    int32_t event;
    int32_t control;
    int32_t selection;
    const char* expected;
};

TEST(TraceLine, EachClassOfEvent) {
    const LineCase cases[] = {
        // A named event: control and name; the name's trailing blank ends the line and is clipped.
        {"Browse   ", "Customers   ", 1, 5, 0, "Customers 1 Browse 5 Accepted or MouseDown\r\n"},
        {"x", "W", 5, 3, 0, "W 5 x 3 PageUp\r\n"},
        {"x", "W", 544, -2, 0, "W 544 x -2 Move\r\n"},
        {"x", "W", 513, 0, 0, "W 513 x 0 CloseWindow\r\n"},
        // New selection and tab changing show the control's selection.
        {"List", "W", 2, 1, 7, "W 2 List 1 NewSelection Choice()=7\r\n"},
        {"Sheet", "W", 21, 4, 2, "W 21 Sheet 4 TabChanging Choice()=2\r\n"},
        // User events, the hook's alert event among them.
        {"tip", "W", 1024, 9, 0, "W 1024 tipEVENT:User 0\r\n"},
        {"tip", "W", 1280, 9, 0, "W 1280 tipEVENT:User 256\r\n"},
        {"tip", "W", 4095, 9, 0, "W 4095 tipEVENT:User 3071\r\n"},
        // Any other event: the text alone, leading blanks kept.
        {"  tip  ", "W", 4096, 9, 0, "W 4096   tip\r\n"},
        {"tip", "W", 1023, 9, 0, "W 1023 tip\r\n"},
        {"tip", "W", 519, 9, 0, "W 519 tip\r\n"},
        {"tip", "W", -1, 9, 0, "W -1 tip\r\n"},
        // Event 0 leaves the event number out.
        {"tip", "W", 0, 9, 0, "W tip\r\n"},
        {"only a text   ", "", 0, 0, 0, " only a text\r\n"},
        {"", "", 0, 0, 0, " \r\n"},
    };
    for (const LineCase& c : cases) {
        EXPECT_EQ(traceLine(c.text, c.windowName, c.event, c.control, c.selection), c.expected)
            << "event " << c.event;
    }
}

TEST(TraceLine, LengthLimits) {
    std::string longText(300, 'a');
    EXPECT_EQ(traceEntry(longText, 0, 0, 0), std::string(255, 'a'));
    // The name is cut off, not the text.
    std::string entry = traceEntry(std::string(250, 'b'), 1, 12345, 0);
    EXPECT_EQ(entry.size(), 255u);
    EXPECT_EQ(entry.substr(0, 250), std::string(250, 'b'));
    EXPECT_EQ(entry.substr(250), " 1234");

    // A long line is cut to 255 characters and still ends its line.
    std::string line = traceLine(longText, "Window", 1280, 0, 0);
    ASSERT_EQ(line.size(), 255u);
    EXPECT_EQ(line.substr(0, 12), "Window 1280 ");
    EXPECT_EQ(line.substr(253), "\r\n");
    EXPECT_EQ(traceLine(std::string(252, 'c'), "", 0, 0, 0).size(), 255u);
    EXPECT_EQ(traceLine(std::string(252, 'c'), "", 0, 0, 0).substr(0, 253), " " + std::string(252, 'c'));
}

TEST(EventNames, KeepTheirBlanksAndOnlyListedEventsHaveOne) {
    EXPECT_EQ(msghook::eventName(1), " Accepted or MouseDown ");
    EXPECT_EQ(msghook::eventName(5), " PageUp");
    EXPECT_EQ(msghook::eventName(30), " ColumnResize ");
    EXPECT_EQ(msghook::eventName(257), " Selected ");
    EXPECT_EQ(msghook::eventName(524), " DDErequest");
    EXPECT_EQ(msghook::eventName(578), " BuildDone");
    int named = 0;
    for (int32_t event = -10; event <= 5000; ++event) {
        std::string_view name = msghook::eventName(event);
        if (!name.empty()) {
            ++named;
            EXPECT_EQ(name.front(), ' ') << event;
        }
    }
    EXPECT_EQ(named, 62);
    for (int32_t unnamed : {0, 31, 256, 512, 519, 522, 530, 543, 567, 579, 1024, 1280}) {
        EXPECT_TRUE(msghook::eventName(unnamed).empty()) << unnamed;
    }
}

class SelectionHost : public msghook::DetachedHost {
public:
    int32_t selection(int32_t control) override {
        asked.push_back(control);
        return 40 + control;
    }
    std::vector<int32_t> asked;
};

TEST(WinDebug, WritesOnlyUnderTheDebugSwitch) {
    runtime::ScopedDebugCapture output;
    {
        runtime::ScopedCommandLine commandLine("rvdemo.exe /rvdebug /debugX DEBUG");
        msghook::WinDebug("hidden");
        EXPECT_TRUE(output.texts().empty());
    }
    runtime::ScopedCommandLine commandLine("rvdemo.exe /x /debug");
    msghook::WinDebug("shown   ");
    EXPECT_EQ(output.texts(), std::vector<std::string>{" shown\r\n"});
}

TEST(WinDebug, AsksTheSelectionOnlyForSelectionEvents) {
    runtime::ScopedDebugCapture output;
    runtime::ScopedCommandLine commandLine("rvdemo.exe /debug");
    SelectionHost selections;
    msghook::ScopedHost host(selections);
    msghook::WinDebug("Pick", "Browse", 2, 3);
    msghook::WinDebug("Tab", "Form", 21, 1);
    msghook::WinDebug("Go", "Form", 1, 6);
    EXPECT_EQ(output.texts(), (std::vector<std::string>{"Browse 2 Pick 3 NewSelection Choice()=43\r\n",
                                                        "Form 21 Tab 1 TabChanging Choice()=41\r\n",
                                                        "Form 1 Go 6 Accepted or MouseDown\r\n"}));
    EXPECT_EQ(selections.asked, (std::vector<int32_t>{3, 1}));
}

} // namespace
