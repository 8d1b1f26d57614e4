#include "support/scripted_interaction.h"

namespace testing_support {

void ScriptedInteraction::answerMessage(int32_t pressedButton) {
    std::lock_guard lock(mutex_);
    messageAnswers_.push_back(pressedButton);
}

void ScriptedInteraction::answerPopup(int32_t item) {
    std::lock_guard lock(mutex_);
    popupAnswers_.push_back(item);
}

void ScriptedInteraction::answerStop(StopAnswer answer) {
    std::lock_guard lock(mutex_);
    stopAnswers_.push_back(answer);
}

void ScriptedInteraction::answerFont(runtime::FontSpec chosen) {
    std::lock_guard lock(mutex_);
    fontAnswers_.push_back(std::move(chosen));
}

void ScriptedInteraction::failRuns(int32_t systemError) {
    std::lock_guard lock(mutex_);
    runError_ = systemError;
}

void ScriptedInteraction::setShellResult(runtime::ShellResult result) {
    std::lock_guard lock(mutex_);
    shellResult_ = result;
}

std::vector<runtime::MessageRequest> ScriptedInteraction::messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
}

std::vector<std::string> ScriptedInteraction::stops() const {
    std::lock_guard lock(mutex_);
    return stops_;
}

std::vector<std::string> ScriptedInteraction::popups() const {
    std::lock_guard lock(mutex_);
    return popups_;
}

std::vector<std::string> ScriptedInteraction::fontCaptions() const {
    std::lock_guard lock(mutex_);
    return fontCaptions_;
}

std::vector<Launch> ScriptedInteraction::launches() const {
    std::lock_guard lock(mutex_);
    return launches_;
}

int ScriptedInteraction::beeps() const {
    std::lock_guard lock(mutex_);
    return beeps_;
}

bool ScriptedInteraction::waitForMessages(size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return messages_.size() >= count; });
}

bool ScriptedInteraction::waitForLaunches(size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return launches_.size() >= count; });
}

int32_t ScriptedInteraction::message(const runtime::MessageRequest& request) {
    std::lock_guard lock(mutex_);
    messages_.push_back(request);
    changed_.notify_all();
    if (!messageAnswers_.empty()) {
        int32_t answer = messageAnswers_.front();
        messageAnswers_.pop_front();
        return answer;
    }
    if (request.defaultButton != 0 && (request.buttons & request.defaultButton) != 0) {
        return request.defaultButton;
    }
    return runtime::firstButton(request.buttons);
}

void ScriptedInteraction::stop(std::string_view text) {
    StopAnswer answer = StopAnswer::GoOn;
    {
        std::lock_guard lock(mutex_);
        stops_.emplace_back(text);
        changed_.notify_all();
        if (!stopAnswers_.empty()) {
            answer = stopAnswers_.front();
            stopAnswers_.pop_front();
        }
    }
    if (answer == StopAnswer::EndProgram) {
        throw Halted(0, std::string(text));
    }
}

void ScriptedInteraction::halt(int32_t exitCode, std::string_view text) {
    throw Halted(exitCode, std::string(text));
}

int32_t ScriptedInteraction::popupMenu(std::string_view menuText, std::optional<runtime::Point>) {
    std::lock_guard lock(mutex_);
    popups_.emplace_back(menuText);
    changed_.notify_all();
    if (popupAnswers_.empty()) {
        return 0;
    }
    int32_t answer = popupAnswers_.front();
    popupAnswers_.pop_front();
    return answer;
}

bool ScriptedInteraction::chooseFont(std::string_view caption, runtime::FontSpec& font) {
    std::lock_guard lock(mutex_);
    fontCaptions_.emplace_back(caption);
    changed_.notify_all();
    if (fontAnswers_.empty()) {
        return false;
    }
    font = fontAnswers_.front();
    fontAnswers_.pop_front();
    return true;
}

int32_t ScriptedInteraction::run(std::string_view commandLine, int32_t& systemError) {
    std::lock_guard lock(mutex_);
    launches_.push_back({"run", std::string(commandLine), {}});
    changed_.notify_all();
    systemError = runError_;
    return runError_ == 0 ? 0 : -4;
}

runtime::ShellResult ScriptedInteraction::shellExecute(void*, std::string_view verb, std::string_view file,
                                                       std::string_view parameters, std::string_view,
                                                       int32_t) {
    std::lock_guard lock(mutex_);
    launches_.push_back({"shell", std::string(file), std::string(verb) + "|" + std::string(parameters)});
    changed_.notify_all();
    return shellResult_;
}

void ScriptedInteraction::windowsHelp(std::string_view helpFile, std::string_view topic) {
    std::lock_guard lock(mutex_);
    launches_.push_back({"help", std::string(helpFile), std::string(topic)});
    changed_.notify_all();
}

void ScriptedInteraction::beep() {
    std::lock_guard lock(mutex_);
    ++beeps_;
}

void ScriptedInteraction::assertionFailed(std::string_view message, std::string_view file, int32_t line) {
    throw AssertionFailure(std::string(message) + " at " + std::string(file) + ":" + std::to_string(line));
}

} // namespace testing_support
