// The rules behind rvSHOWHELP, rvCallHelpTipEx and rvIdeHelp, apart from the
// windows they are carried out on.
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

#include "help/engine/anchor.h"
#include "help/engine/engine_state.h"
#include "help/engine/ide_help.h"
#include "help/engine/show_help_rules.h"
#include "runtime/sys/ini.h"

namespace {

namespace fs = std::filesystem;

TEST(NoTipList, NamesWholeControlNumbersBetweenBars) {
    struct Case {
        const char* list;
        int32_t control;
        bool excluded;
    };
    const Case cases[] = {
        {nullptr, 1, false}, {"", 1, false},    {"1||", 1, true},    {"1||", 11, false},
        {"10||", 1, false},  {"10||", 10, true}, {"2|5", 5, true},   {"2|5", 2, true},
        {"2|5", 25, false},  {"-7|", -7, true},  {"|", 0, false},
    };
    for (const Case& c : cases) {
        std::string list = help::exclusionList(c.list);
        EXPECT_EQ(help::isExcluded(list, c.control), c.excluded)
            << (c.list ? c.list : "(none)") << " / " << c.control;
    }
    EXPECT_EQ(help::exclusionList(nullptr), "|");
    EXPECT_EQ(help::exclusionList("1||"), "|1|||");
}

TEST(HoverTimer, FiveTimerEventsPerDelayUnlessTheWindowHasATimer) {
    struct Case {
        int32_t delay, options, current, expected;
    };
    const Case cases[] = {
        {300, 0, 0, 60}, {350, 0, 0, 70}, {0, 0, 0, 0},  {-1, 0, 0, 0},
        {300, 4, 0, 0},  {300, 3, 0, 60}, {300, 0, 8, 0}, {4, 0, 0, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(help::hoverTimerFor(c.delay, c.options, c.current), c.expected)
            << c.delay << " " << c.options << " " << c.current;
    }
}

TEST(QuestionMark, OnlyWithoutMinimiseAndMaximiseBoxes) {
    constexpr intptr_t Caption = 0x00C00000, SystemMenu = 0x00080000;
    constexpr intptr_t MinimiseBox = 0x00020000, MaximiseBox = 0x00010000;
    EXPECT_TRUE(help::wantsQuestionMark(Caption | SystemMenu));
    EXPECT_FALSE(help::wantsQuestionMark(Caption | SystemMenu | MinimiseBox));
    EXPECT_FALSE(help::wantsQuestionMark(Caption | SystemMenu | MaximiseBox));
    EXPECT_FALSE(help::wantsQuestionMark(Caption | MinimiseBox | MaximiseBox));
}

TEST(HookVersion, AnOlderHookIsReportedOnceAndTracedEveryTime) {
    help::resetEngineState();
    EXPECT_FALSE(help::checkHookVersion(2.96));
    EXPECT_FALSE(help::checkHookVersion(3.1));

    std::optional<help::HookTooOld> first = help::checkHookVersion(2.9);
    ASSERT_TRUE(first);
    ASSERT_TRUE(first->message);
    EXPECT_EQ(*first->message, "Error, Ruvo question mark (?) support requires\r\n"
                               "Sorbin ver 2.96 or later\r\n\n"
                               "Sorbin is reporting version 2.9");
    EXPECT_EQ(first->trace, "WM_HELP not alerted, requires Sorbin ver 2.96 or later");

    std::optional<help::HookTooOld> second = help::checkHookVersion(2.9);
    ASSERT_TRUE(second);
    EXPECT_FALSE(second->message);
    EXPECT_EQ(second->trace, first->trace);
    help::resetEngineState();
}

TEST(AnchorClamp, KeepsTheAnchorOnAnOrdinaryScreen) {
    struct Case {
        help::Anchor given, expected;
    };
    const Case cases[] = {
        {{2500, 10}, {0, 10}},   {{-1, 5}, {0, 5}},        {{2000, 1000}, {2000, 1000}},
        {{2001, 1001}, {0, 0}},  {{10, -30}, {10, 0}},     {{0, 0}, {0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(help::clampAnchor(c.given), c.expected) << c.given.x << "," << c.given.y;
    }
}

TEST(IdeHelp, RequestsOfOneTwoAndThreeParts) {
    struct Case {
        const char* request;
        const char* tipFile;
        const char* control;
        const char* documentationBase;
    };
    const Case cases[] = {
        {"?Customers:Button", "Lockvane.Rvh", "?Customers:Button", "C:\\Corvex\\3rdParty\\Docs\\"},
        {"tips.rvh,?Close", "tips.rvh", "?Close", "C:\\Corvex\\3rdParty\\Docs\\"},
        {"tips.rvh,?Close,guide\\start.htm", "tips.rvh", "?Close",
         "file:///C:/Corvex/3rdParty/Docs/guide/start.htm"},
        {"a,b,c,d", "a", "b", "file:///C:/Corvex/3rdParty/Docs/c,d"},
        {",", "", "", "C:\\Corvex\\3rdParty\\Docs\\"},
    };
    for (const Case& c : cases) {
        std::optional<help::IdeHelpRequest> r = help::ideHelpRequest("C:\\Corvex", c.request);
        ASSERT_TRUE(r) << c.request;
        EXPECT_EQ(r->tipFile, c.tipFile) << c.request;
        EXPECT_EQ(r->control, c.control) << c.request;
        EXPECT_EQ(r->documentationBase, c.documentationBase) << c.request;
        EXPECT_EQ(r->tipFolder, "C:\\Corvex\\3rdParty\\Template\\") << c.request;
    }
}

TEST(IdeHelp, RootFolderControlLengthAndTheNoHelpText) {
    EXPECT_FALSE(help::ideHelpRequest("", "x"));
    EXPECT_FALSE(help::ideHelpRequest("   ", "x"));

    std::optional<help::IdeHelpRequest> r = help::ideHelpRequest("D:\\Dev\\  ", std::string(45, 'c') + ",");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->tipFolder, "D:\\Dev\\3rdParty\\Template\\") << "a root ending in \\ gets no second one";
    EXPECT_EQ(r->control, "") << "text after the only comma";
    EXPECT_EQ(r->tipFile, std::string(45, 'c'));

    r = help::ideHelpRequest("D:\\Dev", std::string(45, 'c'));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->control, std::string(40, 'c'));
    EXPECT_EQ(r->noHelpText, ".Could not find the correct Lockvane.Rvh file. Please find it, and move it, to the "
                             "D:\\Dev\\3rdParty\\Template\\ directory.");
}

TEST(IdeHelp, RootComesFromTheEnterpriseSectionThenThePlainOne) {
    fs::path folder = fs::temp_directory_path() / ("rv_ide_help_" + std::to_string(::testing::UnitTest::GetInstance()
                                                                                         ->random_seed()));
    fs::create_directories(folder);
    {
        runtime::ScopedWindowsFolder windows(folder.string());
        EXPECT_EQ(help::ideRoot(), "");
        ASSERT_TRUE(runtime::writeIni("win.ini", "Corvex 5", "Root", "C:\\Plain"));
        EXPECT_EQ(help::ideRoot(), "C:\\Plain");
        ASSERT_TRUE(runtime::writeIni("win.ini", "Corvex 5 Enterprise Edition", "Root", "C:\\OneBlank"));
        EXPECT_EQ(help::ideRoot(), "C:\\Plain") << "the section name has two blanks";
        ASSERT_TRUE(runtime::writeIni("win.ini", "Corvex 5  Enterprise Edition", "Root", "C:\\Enterprise"));
        EXPECT_EQ(help::ideRoot(), "C:\\Enterprise");
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

} // namespace
