#include <atomic>
#include <gtest/gtest.h>
#include <thread>

#include "runtime/sys/command_line.h"

namespace {

using namespace runtime;
using Args = std::vector<std::string>;

TEST(CommandLineSplitting, FollowsTheWindowsQuotingRules) {
    struct Case {
        const char* line;
        Args expected;
    };
    const Case cases[] = {
        {"", {}},
        {"   ", {}},
        {"rvdemo.exe", {"rvdemo.exe"}},
        {"rvdemo.exe /rvDebug /debug", {"rvdemo.exe", "/rvDebug", "/debug"}},
        {"  rvdemo.exe \t /a\t\t/b  ", {"rvdemo.exe", "/a", "/b"}},
        {"\"C:\\Program Files\\rv\\rvdemo.exe\" /rvh", {"C:\\Program Files\\rv\\rvdemo.exe", "/rvh"}},
        {"C:\\rv\\rvdemo.exe \"/EditTips\"", {"C:\\rv\\rvdemo.exe", "/EditTips"}},
        {"p \"a b\" c", {"p", "a b", "c"}},
        {"p a\" \"b", {"p", "a b"}},
        {"p \"\"", {"p", ""}},
        {"p \"a \"\"quoted\"\" word\"", {"p", "a \"quoted\" word"}},
        {"p \\\"x", {"p", "\"x"}},
        {"p a\\\\\"b c\"", {"p", "a\\b c"}},
        {"p a\\\\\\\"b", {"p", "a\\\"b"}},
        {"p C:\\dir\\ x", {"p", "C:\\dir\\", "x"}},
        {"p \"unterminated arg", {"p", "unterminated arg"}},
        {"\"C:\\a\\\" /x", {"C:\\a\\", "/x"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(splitCommandLine(c.line), c.expected) << c.line;
    }
}

TEST(Switches, MatchWholeArgumentsExactlyAndCaseSensitively) {
    ScopedCommandLine line("rvdemo.exe /rvDebug \"/rvtrace\" /rvqX xx/rvh /EditTips=1");
    EXPECT_TRUE(hasSwitch("/rvDebug"));
    EXPECT_FALSE(hasSwitch("/rvdebug")) << "\"/rvdebug\" and \"/rvDebug\" are different switches";
    EXPECT_FALSE(hasSwitch("/RVDEBUG"));
    EXPECT_TRUE(hasSwitch("/rvtrace")) << "quotes around a switch are not part of it";
    EXPECT_FALSE(hasSwitch("/rvq")) << "a prefix of an argument is not the switch";
    EXPECT_FALSE(hasSwitch("/rvh")) << "nor is a suffix";
    EXPECT_FALSE(hasSwitch("/EditTips"));
    EXPECT_FALSE(hasSwitch("rvdemo.exe")) << "the program name is not an argument";
    EXPECT_FALSE(hasSwitch(""));
    EXPECT_EQ(commandLineArguments(), (Args{"/rvDebug", "/rvtrace", "/rvqX", "xx/rvh", "/EditTips=1"}));
}

TEST(Switches, OverridesNestAndEnd) {
    Args real = commandLineArguments();
    {
        ScopedCommandLine outer("p /debug");
        {
            ScopedCommandLine inner("p /rvh");
            EXPECT_TRUE(hasSwitch("/rvh"));
            EXPECT_FALSE(hasSwitch("/debug"));
        }
        EXPECT_TRUE(hasSwitch("/debug"));
        EXPECT_FALSE(hasSwitch("/rvh"));
    }
    EXPECT_EQ(commandLineArguments(), real);
}

TEST(Switches, RealCommandLineIsTheProgramsArguments) {
    // The test program's own arguments as its C runtime received them.
    const std::vector<std::string>& argv = testing::internal::GetArgvs();
    ASSERT_FALSE(argv.empty());
    EXPECT_EQ(commandLineArguments(), Args(argv.begin() + 1, argv.end()));
}

} // namespace
