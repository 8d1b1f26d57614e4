// An Interaction for tests: answers boxes from a script, records every box,
// menu and launch, and turns halt and assertion reports into exceptions so a
// test can check them. Safe to use from several threads; a test on one thread
// can wait for a box that a window thread shows.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "runtime/sys/interaction.h"

namespace testing_support {

struct Halted : std::runtime_error {
    Halted(int32_t code, std::string text)
        : std::runtime_error("halt: " + text), exitCode(code), haltText(std::move(text)) {}
    int32_t exitCode;
    std::string haltText;
};

struct AssertionFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// What a stop box answer does: go on, or end the program (then Halted is thrown).
enum class StopAnswer { GoOn, EndProgram };

struct Launch {
    std::string kind; // "run", "shell", "help"
    std::string target;
    std::string detail;
};

class ScriptedInteraction : public runtime::Interaction {
public:
    // Answers, used in order; when a queue is empty the box's default is used.
    void answerMessage(int32_t pressedButton);
    void answerPopup(int32_t item);
    void answerStop(StopAnswer answer);
    void answerFont(runtime::FontSpec chosen);
    void failRuns(int32_t systemError); // later runs return -4 with this error
    void setShellResult(runtime::ShellResult result);

    std::vector<runtime::MessageRequest> messages() const;
    std::vector<std::string> stops() const;
    std::vector<std::string> popups() const;
    std::vector<std::string> fontCaptions() const;
    std::vector<Launch> launches() const;
    int beeps() const;

    // Blocks until at least `count` message boxes were shown, or the time runs out.
    bool waitForMessages(size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
    bool waitForLaunches(size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;

    int32_t message(const runtime::MessageRequest& request) override;
    void stop(std::string_view text) override;
    void halt(int32_t exitCode, std::string_view text) override;
    int32_t popupMenu(std::string_view menuText, std::optional<runtime::Point> at) override;
    bool chooseFont(std::string_view caption, runtime::FontSpec& font) override;
    int32_t run(std::string_view commandLine, int32_t& systemError) override;
    runtime::ShellResult shellExecute(void* window, std::string_view verb, std::string_view file,
                                      std::string_view parameters, std::string_view directory,
                                      int32_t show) override;
    void windowsHelp(std::string_view helpFile, std::string_view topic) override;
    void beep() override;
    void assertionFailed(std::string_view message, std::string_view file, int32_t line) override;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::deque<int32_t> messageAnswers_;
    std::deque<int32_t> popupAnswers_;
    std::deque<StopAnswer> stopAnswers_;
    std::deque<runtime::FontSpec> fontAnswers_;
    std::vector<runtime::MessageRequest> messages_;
    std::vector<std::string> stops_;
    std::vector<std::string> popups_;
    std::vector<std::string> fontCaptions_;
    std::vector<Launch> launches_;
    int32_t runError_ = 0;
    runtime::ShellResult shellResult_ = 42;
    int beeps_ = 0;
};

} // namespace testing_support
