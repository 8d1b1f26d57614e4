#include <gtest/gtest.h>

#include "help/markup/hyperlink_launcher.h"
#include "help/markup/markup_parser.h"
#include "parse_support.h"
#include "runtime/sys/command_line.h"
#include "support/scripted_interaction.h"

namespace {

using testing_support::ScriptedInteraction;

const std::string Browser = "\"C:\\Program Files\\Web\\web.exe\" -nohome";
const std::string Stripped = "\"C:\\Program Files\\Web\\web.exe\"";

help::LaunchEnvironment registered(std::optional<std::string> command) {
    help::LaunchEnvironment environment;
    environment.browserCommand = [command] { return command; };
    environment.documentationBase = "file:///C:/Docs/   ";
    return environment;
}

std::vector<std::string> texts(const ScriptedInteraction& boxes) {
    std::vector<std::string> result;
    for (const runtime::MessageRequest& box : boxes.messages()) {
        result.push_back(box.text);
    }
    return result;
}

TEST(HyperlinkLauncher, BuildsTheCommandFromTheLinksForm) {
    struct Case {
        std::string link;
        std::string command;
    };
    const std::vector<Case> cases = {
        {"http://example.com/a.html", Stripped + " http://example.com/a.html"},
        {"HTTP://EXAMPLE.COM", Stripped + " HTTP://EXAMPLE.COM"},
        {"FILE://Machine/dir/f.ext", Stripped + " FILE://Machine/dir/f.ext"},
        {"C:\\dir\\file.ext", Stripped + " C:\\dir\\file.ext"},
        {"www.example.com", Stripped + " http://www.example.com"},
        {"www.example.com   ", Stripped + " http://www.example.com"},
        {"#topic", Stripped + " file:///C:/Docs/#topic"},
        {"Guide.CHM::/page.htm#x", "hh.exe mk:@msitstore:Guide.CHM::/page.htm#x"},
        {"guide.chm::/Page.htm", "hh.exe mk:@msitstore:guide.chm::/Page.htm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.link);
        ScriptedInteraction boxes;
        runtime::ScopedInteraction scope(boxes);
        help::launchHyperlink(c.link, registered(Browser));
        ASSERT_EQ(boxes.launches().size(), 1u);
        EXPECT_EQ(boxes.launches()[0].kind, "run");
        EXPECT_EQ(boxes.launches()[0].target, c.command);
        EXPECT_TRUE(boxes.messages().empty());
    }
}

TEST(HyperlinkLauncher, AnAliasedLinkOpensItsFullTarget) {
    ScriptedInteraction boxes;
    runtime::ScopedInteraction scope(boxes);
    markup_testing::GivenLines lines({"<S\"short name\"www.example.com/full.html>"});
    help::ControlList list;
    help::parseMarkup(lines, list);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].SHORTNAME.clipped(), "short name");
    help::launchHyperlink(list[1].TEXT, registered(Browser));
    ASSERT_EQ(boxes.launches().size(), 1u);
    EXPECT_EQ(boxes.launches()[0].target, Stripped + " http://www.example.com/full.html");
}

TEST(HyperlinkLauncher, EveryDashStartsASwitchUpToABlankOrQuote) {
    struct Case {
        std::string registered;
        std::string stripped;
    };
    const std::vector<Case> cases = {
        {"web.exe", "web.exe"},
        {Browser, Stripped + "        "},
        {"web.exe -a -b", "web.exe      "},
        {"web.exe -a\"x\"", "web.exe   \"x\""},
        {"C:\\Old-Web\\web.exe -nohome", "C:\\Old                    "},
        {"\"x-y\" %1", "\"x  \" %1"},
        {"a--b c", "a    c"},
        {"end-", "end "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(help::withoutSwitches(c.registered), c.stripped) << c.registered;
    }
}

TEST(HyperlinkLauncher, TestSwitchShowsTheBrowserCommandFirst) {
    ScriptedInteraction boxes;
    runtime::ScopedInteraction scope(boxes);
    runtime::ScopedCommandLine commandLine("rvdemo.exe /RVHTEST");
    help::launchHyperlink("www.a.com", registered(Browser));
    EXPECT_EQ(texts(boxes), std::vector<std::string>{"Ruvo test result : Browser = " + Stripped});
    ASSERT_EQ(boxes.launches().size(), 1u);
}

TEST(HyperlinkLauncher, AnUnregisteredBrowserIsReportedAndTheCommandStillTried) {
    ScriptedInteraction boxes;
    runtime::ScopedInteraction scope(boxes);
    runtime::ScopedCommandLine commandLine("rvdemo.exe /RVHTEST");
    help::launchHyperlink("www.a.com", registered(std::nullopt));
    EXPECT_EQ(texts(boxes),
              (std::vector<std::string>{"Ruvo test result : Browser = ", "Cannot spawn default browser..."}));
    ASSERT_EQ(boxes.launches().size(), 1u);
    EXPECT_EQ(boxes.launches()[0].target, " http://www.a.com");
}

TEST(HyperlinkLauncher, ACommandThatCannotStartIsReportedWithTheSystemError) {
    for (const std::string link : {"www.a.com", "Help.chm::/a.htm"}) {
        SCOPED_TRACE(link);
        ScriptedInteraction boxes;
        runtime::ScopedInteraction scope(boxes);
        boxes.failRuns(2);
        help::launchHyperlink(link, registered("web.exe"));
        ASSERT_EQ(boxes.launches().size(), 1u);
        EXPECT_EQ(texts(boxes),
                  std::vector<std::string>{"Problem running : " + boxes.launches()[0].target + " Error = 2"});
    }
}

TEST(HyperlinkLauncher, CommandsAreCutAt200Characters) {
    ScriptedInteraction boxes;
    runtime::ScopedInteraction scope(boxes);
    const std::string longPath = "C:\\" + std::string(190, 'p') + "\\web.exe";
    help::launchHyperlink("http://example.com/page.html", registered(longPath));
    ASSERT_EQ(boxes.launches().size(), 1u);
    EXPECT_EQ(boxes.launches()[0].target, (longPath + " http://example.com/page.html").substr(0, 200));
}

} // namespace
