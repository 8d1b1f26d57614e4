#include <deque>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "help/file_errors/guarded_open.h"
#include "runtime/sys/errors.h"
#include "support/scripted_interaction.h"

namespace {

using namespace help;
using testing_support::Halted;
namespace button = runtime::button;

// Answers each operation with the next scripted error code (0 when the
// script has run out) and records what it was asked to do.
class ScriptedFile : public GuardedFile {
public:
    std::deque<int32_t> opens;
    int32_t createResult = 0;
    int32_t buildResult = 0;
    std::vector<std::string> calls;

    void open(uint8_t mode) override {
        calls.push_back("open " + std::to_string(mode));
        int32_t code = 0;
        if (!opens.empty()) {
            code = opens.front();
            opens.pop_front();
        }
        runtime::setError(code);
    }
    void create() override {
        calls.push_back("create");
        runtime::setError(createResult);
    }
    void send(std::string_view option) override {
        calls.push_back("send " + std::string(option));
        runtime::clearError();
    }
    void buildKeys() override {
        calls.push_back("build");
        runtime::setError(buildResult);
    }
    std::string name() const override { return "ruvo.rvh    "; }
};

struct Path {
    std::string name;
    std::deque<int32_t> opens;
    int32_t createResult = 0;
    int32_t buildResult = 0;
    std::vector<int32_t> answers;
    std::vector<std::string> calls;
    std::vector<std::string> titles;
    std::string haltText; // empty: returns
    int32_t finalError = 0;
};

void walk(const Path& path, uint8_t createFlag = 1, uint8_t keepMissing = 0, uint8_t mode = 0,
          uint8_t shared = 1) {
    SCOPED_TRACE(path.name);
    testing_support::ScriptedInteraction scripted;
    runtime::ScopedInteraction use(scripted);
    for (int32_t answer : path.answers) {
        scripted.answerMessage(answer);
    }
    ScriptedFile file;
    file.opens = path.opens;
    file.createResult = path.createResult;
    file.buildResult = path.buildResult;
    runtime::clearError();
    std::string haltText;
    try {
        guardedOpen(file, createFlag, keepMissing, mode, shared);
        EXPECT_EQ(runtime::errorcode(), path.finalError);
    } catch (const Halted& h) {
        EXPECT_EQ(h.exitCode, 0);
        haltText = h.haltText;
    }
    EXPECT_EQ(haltText, path.haltText);
    EXPECT_EQ(file.calls, path.calls);
    std::vector<std::string> titles;
    for (const runtime::MessageRequest& box : scripted.messages()) {
        titles.push_back(box.title);
    }
    EXPECT_EQ(titles, path.titles);
    runtime::clearError();
}

const std::string kOpen = "open 66";

TEST(GuardedOpen, RepairsWhatItCanSilently) {
    walk({"opens", {0}, 0, 0, {}, {kOpen}, {}, "", 0});
    walk({"already open", {52}, 0, 0, {}, {kOpen}, {}, "", 52});
    walk({"missing file is created", {2, 0}, 0, 0, {}, {kOpen, "create", kOpen}, {}, "", 0});
    walk({"stale lock recovered", {32, 0}, 0, 0, {}, {kOpen, "send Recover=10", kOpen}, {}, "", 0});
    walk({"recovered file then missing",
          {32, 2, 0},
          0,
          0,
          {},
          {kOpen, "send Recover=10", kOpen, "create", kOpen},
          {},
          "",
          0});
    walk({"damaged key rebuilt on Yes",
          {46, 0},
          0,
          0,
          {button::Yes},
          {kOpen, "build", kOpen},
          {"Invalid Key"},
          "",
          0});
}

TEST(GuardedOpen, EndsTheProgramWhenItCannotRepair) {
    walk({"key rebuild declined", {46}, 0, 0, {button::No}, {kOpen}, {"Invalid Key"}, "Invalid Key!"});
    walk({"key rebuild fails",
          {46},
          0,
          5,
          {button::Yes},
          {kOpen, "build"},
          {"Invalid Key", "Key Rebuild Error"},
          "Error Rebuilding Key!"});
    walk({"reopen after rebuild fails",
          {46, 5},
          0,
          0,
          {button::Yes},
          {kOpen, "build", kOpen},
          {"Invalid Key", "File Access Error"},
          "Disk Error"});
    walk({"foreign layout", {47}, 0, 0, {}, {kOpen}, {"Invalid File"}, "Invalid File!"});
    walk({"creation fails",
          {2},
          3,
          0,
          {},
          {kOpen, "create"},
          {"File Creation Error"},
          "File Creation Error!"});
    walk({"created file does not open",
          {2, 5},
          0,
          0,
          {},
          {kOpen, "create", kOpen},
          {"File Creation Error"},
          "File Creation Error!"});
    walk({"still locked",
          {32, 32},
          0,
          0,
          {},
          {kOpen, "send Recover=10", kOpen},
          {"File Access Error"},
          "Disk Error"});
    walk({"access denied", {5}, 0, 0, {}, {kOpen}, {"File Access Error"}, "Disk Error"});
}

TEST(GuardedOpen, FlagsChooseModeAndWhatHappensToAMissingFile) {
    walk({"missing file kept missing", {2}, 0, 0, {}, {kOpen}, {}, "", 2}, 1, 1);
    walk({"missing file without create",
          {2},
          0,
          0,
          {},
          {kOpen},
          {"File Creation Error"},
          "File Creation Error!"},
         0);
    walk({"unshared mode as given", {0}, 0, 0, {}, {"open 18"}, {}, "", 0}, 1, 0, 0x12, 0);
}

TEST(GuardedOpen, MessagesNameTheFileWithoutPadding) {
    testing_support::ScriptedInteraction scripted;
    runtime::ScopedInteraction use(scripted);
    ScriptedFile file;
    file.opens = {5};
    EXPECT_THROW(guardedOpen(file, 1, 0, 0, 1), Halted);
    ASSERT_EQ(scripted.messages().size(), 1u);
    EXPECT_EQ(scripted.messages()[0].text, "File (ruvo.rvh) could not be opened.  Error: Access Denied (5).");
    runtime::clearError();
}

} // namespace
