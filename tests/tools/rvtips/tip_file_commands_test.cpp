// The tip-file commands of rvtips, run as a person would run them: in a folder
// of their own, on files made with rvtips itself.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

struct Result {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class TipFileCommands : public ::testing::Test {
protected:
    TipFileCommands() {
        folder_ = fs::temp_directory_path() /
                  ("rvtips-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::create_directories(folder_);
    }
    ~TipFileCommands() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    // Runs rvtips in the test's folder; arguments are passed to the shell as written.
    Result rvtips(const std::string& arguments) {
        const std::string errors = (folder_ / "stderr.txt").string();
        const std::string command =
            "cd '" + folder_.string() + "' && '" + RVTIPS_PROGRAM + "' " + arguments + " 2>'" + errors + "'";
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
        const int status = pclose(pipe);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.err = read("stderr.txt");
        return result;
    }

    std::string read(const std::string& name) {
        std::ifstream in(folder_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void write(const std::string& name, const std::string& bytes) {
        std::ofstream(folder_ / name, std::ios::binary) << bytes;
    }
    bool exists(const std::string& name) { return fs::exists(folder_ / name); }

    const std::string sample = "'" + std::string(RVTIPS_SAMPLES) + "/tips_export.txt'";

private:
    fs::path folder_;
};

TEST_F(TipFileCommands, ExportOfAnImportGivesBackTheSameBytes) {
    ASSERT_EQ(rvtips("import tips.rvh " + sample).exitCode, 0);
    Result exported = rvtips("export tips.rvh");
    EXPECT_EQ(exported.exitCode, 0);
    std::ifstream in(std::string(RVTIPS_SAMPLES) + "/tips_export.txt", std::ios::binary);
    EXPECT_EQ(exported.out, std::string(std::istreambuf_iterator<char>(in), {}));
    EXPECT_EQ(rvtips("verify tips.rvh").exitCode, 0);
}

TEST_F(TipFileCommands, ListAndFindFollowTheKeysAndFallBacks) {
    ASSERT_EQ(rvtips("import tips.rvh " + sample).exitCode, 0);
    EXPECT_EQ(rvtips("list tips.rvh").out, "\t\tBUTTON\t2024-05-01\t13\n"
                                           "\t?Customers:Button\tBUTTON\t2023-11-30\t83\n"
                                           "Main\t?Customers:Button\tBUTTON\t\t29\n");
    struct Case {
        std::string key;
        int exitCode;
        std::string out;
    } cases[] = {
        {"Main ?Customers:Button BUTTON", 0, "procedure tip\nLine one\rstill one\n\n<B1> Go\n"},
        {"Browse ?customers:button BUTTON", 0, "control tip\nOpens the customers."},
        {"Browse ?Other BUTTON", 0, "type default\nPress to act.\n"},
        {"Browse ?Other ENTRY", 1, "none\nNo Help for This Topic\n"},
    };
    for (const Case& c : cases) {
        Result found = rvtips("find tips.rvh " + c.key);
        EXPECT_EQ(found.exitCode, c.exitCode) << c.key;
        EXPECT_EQ(found.out.substr(0, c.out.size()), c.out) << c.key;
    }
}

TEST_F(TipFileCommands, SaveKeepsTheStoresRules) {
    ASSERT_EQ(rvtips("import tips.rvh " + sample).exitCode, 0);
    // A type default is never overwritten: the edit becomes a procedure tip.
    Result saved = rvtips("save tips.rvh Browse ?Go BUTTON --text 'Go on.'");
    EXPECT_EQ(saved.out, "added\n");
    EXPECT_EQ(rvtips("find tips.rvh Other ?Go BUTTON").out, "type default\nPress to act.\n");
    // A text file's lines get CR LF; a changed key adds a tip and keeps the old one.
    write("text.txt", "first\nsecond\n");
    EXPECT_EQ(rvtips("save tips.rvh Browse ?Go BUTTON --text-file text.txt --key Form ?Go BUTTON").out,
              "added\n");
    EXPECT_EQ(rvtips("find tips.rvh Form ?Go BUTTON").out, "procedure tip\nfirst\nsecond\n");
    EXPECT_NE(rvtips("export tips.rvh").out.find("text:\n|first\n|second\nsettings:"), std::string::npos);
    EXPECT_EQ(rvtips("find tips.rvh Browse ?Go BUTTON").out, "procedure tip\nGo on.\n");
    // A blank text deletes; an over-long one is cut.
    EXPECT_EQ(rvtips("save tips.rvh Browse ?Go BUTTON --text ''").out, "deleted\n");
    write("long.txt", std::string(12000, 'x'));
    saved = rvtips("save tips.rvh Form ?Go BUTTON --text-file long.txt --settings 'S  1|FONT|Arial'");
    EXPECT_EQ(saved.exitCode, 0);
    EXPECT_NE(saved.err.find("cut"), std::string::npos);
    EXPECT_NE(rvtips("list tips.rvh").out.find("Form\t?Go\tBUTTON\t"), std::string::npos);
    EXPECT_NE(
        rvtips("export tips.rvh").out.find("|" + std::string(10000, 'x') + "\nsettings:\n|S  1|FONT|Arial\n"),
        std::string::npos);
    // Neither a control name nor a type: refused as the editor refuses it.
    saved = rvtips("save tips.rvh Main '' '' --text x");
    EXPECT_EQ(saved.exitCode, 2);
    EXPECT_NE(saved.err.find("Either the Control name or the Control Type must be entered."),
              std::string::npos);
}

TEST_F(TipFileCommands, OldFilesAreConvertedByUpgrade) {
    ASSERT_EQ(rvtips("import tips.rvh " + sample + " --layout old").exitCode, 0);
    Result refused = rvtips("list tips.rvh");
    EXPECT_EQ(refused.exitCode, 3);
    EXPECT_NE(refused.err.find("rvtips upgrade tips.rvh"), std::string::npos);
    Result upgraded = rvtips("upgrade tips.rvh");
    EXPECT_EQ(upgraded.exitCode, 0);
    EXPECT_EQ(upgraded.out, "upgraded 3 tips; the old file is kept as rvTemp$).)$(\n");
    EXPECT_TRUE(exists("rvTemp$).)$("));
    EXPECT_EQ(rvtips("find tips.rvh Main ?Customers:Button BUTTON").out.substr(0, 23),
              "procedure tip\nLine one\r");
    EXPECT_EQ(rvtips("verify tips.rvh").exitCode, 0);
    EXPECT_EQ(rvtips("upgrade tips.rvh").out, "tips.rvh already has the current layout\n");
}

TEST_F(TipFileCommands, UnusableFilesAreRefusedWithTheirMessages) {
    write("notes.rvh", "not a tip file at all");
    for (const std::string call :
         {"list notes.rvh", "export notes.rvh", "verify notes.rvh", "upgrade notes.rvh",
          "find notes.rvh A ?B C", "save notes.rvh A ?B C --text x"}) {
        Result refused = rvtips(call);
        EXPECT_EQ(refused.exitCode, 3) << call;
        EXPECT_FALSE(refused.err.empty()) << call;
        EXPECT_EQ(read("notes.rvh"), "not a tip file at all") << call;
    }
    Result missing = rvtips("list missing.rvh");
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_NE(missing.err.find("File Access Error: File (missing.rvh) could not be opened."),
              std::string::npos);
    write("broken.txt", "tip\ncolour: red\n");
    Result bad = rvtips("import tips.rvh broken.txt");
    EXPECT_EQ(bad.exitCode, 3);
    EXPECT_EQ(bad.err, "rvtips import: broken.txt, line 2: unknown field 'colour'\n");
    EXPECT_FALSE(exists("tips.rvh"));
    for (const std::string usage :
         {"list", "find tips.rvh A", "save tips.rvh A B C", "import tips.rvh",
          "save tips.rvh A B C --text x --text-file y", "import a b --layout new"}) {
        EXPECT_EQ(rvtips(usage).exitCode, 2) << usage;
    }
}

} // namespace
