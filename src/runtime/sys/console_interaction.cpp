#include <cstdio>
#include <cstdlib>
#include <string>

#include "runtime/sys/interaction.h"

namespace runtime {
namespace {

void print(std::string_view title, std::string_view text) {
    std::string line;
    if (!title.empty()) {
        line.append(title).append(": ");
    }
    for (char c : text) {
        line.push_back(c == '|' ? '\n' : c);
    }
    line.push_back('\n');
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
}

} // namespace

int32_t ConsoleInteraction::message(const MessageRequest& request) {
    print(request.title, request.text);
    if (request.defaultButton != 0 && (request.buttons & request.defaultButton) != 0) {
        return request.defaultButton;
    }
    return firstButton(request.buttons);
}

void ConsoleInteraction::stop(std::string_view text) {
    print("Stop", text);
}

void ConsoleInteraction::halt(int32_t exitCode, std::string_view text) {
    if (!text.empty()) {
        print("Halt", text);
    }
    std::fflush(nullptr);
    std::exit(exitCode);
}

int32_t ConsoleInteraction::popupMenu(std::string_view, std::optional<Point>) {
    return 0;
}

bool ConsoleInteraction::chooseFont(std::string_view, FontSpec&) {
    return false;
}

// A console program starts nothing on a person's desktop; it says so instead.
int32_t ConsoleInteraction::run(std::string_view commandLine, int32_t& systemError) {
    print("Cannot run", commandLine);
    systemError = 1;
    return -4;
}

ShellResult ConsoleInteraction::shellExecute(void*, std::string_view, std::string_view file, std::string_view,
                                             std::string_view, int32_t) {
    print("Cannot open", file);
    return 31;
}

void ConsoleInteraction::windowsHelp(std::string_view helpFile, std::string_view topic) {
    print("Help", std::string(helpFile) + " " + std::string(topic));
}

void ConsoleInteraction::beep() {}

void ConsoleInteraction::assertionFailed(std::string_view message, std::string_view file, int32_t line) {
    print("Assertion failed",
          std::string(message) + " (" + std::string(file) + ":" + std::to_string(line) + ")");
    std::abort();
}

} // namespace runtime
