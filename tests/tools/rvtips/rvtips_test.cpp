#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/wait.h>

namespace {

struct Result {
    int exitCode = -1;
    std::string out;
    std::string err;
};

Result rvtips(const std::string& arguments) {
    const std::filesystem::path errors = std::filesystem::temp_directory_path() / "rvtips_test_stderr.txt";
    const std::string command =
        std::string("'") + RVTIPS_PROGRAM + "' " + arguments + " 2>'" + errors.string() + "'";
    Result result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.out.append(buffer, n);
    }
    int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(errors);
    result.err.assign(std::istreambuf_iterator<char>(in), {});
    return result;
}

std::string sample(const std::string& name) {
    return std::string("'") + RVTIPS_SAMPLES + "/" + name + "'";
}

TEST(Rvtips, HelpListsTheCommandsAndExitCodes) {
    Result help = rvtips("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("parse [--width PIXELS] TEXTFILE"), std::string::npos);
    EXPECT_NE(help.out.find("exit codes: 0 done, 1 not found, 2 usage, 3 file error"), std::string::npos);
}

TEST(Rvtips, ParsePrintsTheControlListAtTheDefaultWidth) {
    Result parsed = rvtips("parse " + sample("tip.txt"));
    EXPECT_EQ(parsed.exitCode, 0);
    EXPECT_EQ(parsed.err, "");
    EXPECT_EQ(parsed.out, "1\tS  1\tString\t1\tHello\t\n"
                          "2\tT\tBULLET\t1\t\t\n"
                          "3\tS  2\tString\t1\tWorld\t\n"
                          "4\t\tLine\t2\t\t\n"
                          "5\tS  3\tString\t3\tSee\t\n"
                          "6\tHTTP1\tHTTP\t3\twww.example.com/docs/index.html\tour site\n"
                          "7\tRegion1\tREGION\t3\twww.example.com/docs/index.html\tour site\n"
                          "8\tS  4\tString\t5\t or\t\n"
                          "9\tLNK1\tLNK\t5\tPage 2\t\n"
                          "10\tRegion2\tREGION\t5\tPage 2\t\n"
                          "11\tS  5\tString\t5\t.\t\n"
                          "12\t\tString\t6\t\t\n"
                          "13\tS  6\tString\t7\tPress\t\n"
                          "14\tB1\tBUTTON\t7\t\t\n"
                          "15\tS  7\tString\t7\t to go on\t\n"
                          "16\tB2\tBUTTON\t7\t\t\n"
                          "17\tS  8\tString\t7\t to stop\t\n"
                          "18\t\tString\t8\t\t\n");
}

TEST(Rvtips, AWiderBoxPutsTheLinkOnOneLine) {
    Result parsed = rvtips("parse --width 400 " + sample("tip.txt"));
    EXPECT_EQ(parsed.exitCode, 0);
    EXPECT_NE(parsed.out.find("8\tS  4\tString\t3\t or\t\n"), std::string::npos) << parsed.out;
    Result same = rvtips("parse --width=400 " + sample("tip.txt"));
    EXPECT_EQ(same.out, parsed.out);
}

TEST(Rvtips, MarkupErrorsGoToStandardErrorAndTheRestIsListed) {
    Result parsed = rvtips("parse " + sample("broken.txt"));
    EXPECT_EQ(parsed.exitCode, 0);
    EXPECT_NE(parsed.err.find("Control not completed\nLine:2"), std::string::npos) << parsed.err;
    EXPECT_NE(parsed.err.find("Control not completed\nLine:3"), std::string::npos) << parsed.err;
    EXPECT_EQ(parsed.out, "1\tS  1\tString\t1\tFine\t\n"
                          "2\tS  2\tString\t2\tB12345> is too long\t\n"
                          "3\tS  3\tString\t3\twww.example.com\t\n");
}

TEST(Rvtips, ExitCodes) {
    struct Case {
        std::string arguments;
        int exitCode;
    };
    for (const Case& c :
         {Case{"", 2}, Case{"nonsense", 2}, Case{"parse", 2}, Case{"parse --width 12x a.txt", 2},
          Case{"parse --width -1 a.txt", 2}, Case{"parse a.txt b.txt", 2},
          Case{"parse --colour " + sample("tip.txt"), 2}, Case{"parse " + sample("missing.txt"), 3}}) {
        EXPECT_EQ(rvtips(c.arguments).exitCode, c.exitCode) << c.arguments;
    }
}

} // namespace
