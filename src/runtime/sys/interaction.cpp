#include "runtime/sys/interaction.h"

#include <atomic>
#include <cstdlib>
#include <exception>

namespace runtime {
namespace {

ConsoleInteraction& consoleInteraction() {
    static ConsoleInteraction console;
    return console;
}

std::atomic<Interaction*>& current() {
    static std::atomic<Interaction*> installed{&consoleInteraction()};
    return installed;
}

} // namespace

Interaction& interaction() {
    return *current().load();
}

void installInteraction(Interaction& replacement) {
    current().store(&replacement);
}

ScopedInteraction::ScopedInteraction(Interaction& replacement)
    : previous_(current().exchange(&replacement)) {}

ScopedInteraction::~ScopedInteraction() {
    current().store(previous_);
}

int32_t message(std::string_view text, std::string_view title, Icon icon, int32_t buttons,
                int32_t defaultButton) {
    return interaction().message(
        MessageRequest{std::string(text), std::string(title), icon, buttons, defaultButton});
}

void stop(std::string_view text) {
    interaction().stop(text);
}

void halt(int32_t exitCode, std::string_view text) {
    interaction().halt(exitCode, text);
    // An implementation that returns from halt breaks its contract; end anyway.
    std::_Exit(exitCode);
}

void assertionFailed(std::string_view message, std::string_view file, int32_t line) {
    interaction().assertionFailed(message, file, line);
    std::abort();
}

int32_t firstButton(int32_t buttons) {
    for (int32_t b : {button::Ok, button::Yes, button::No, button::Cancel}) {
        if ((buttons & b) != 0) {
            return b;
        }
    }
    return button::Ok;
}

} // namespace runtime
