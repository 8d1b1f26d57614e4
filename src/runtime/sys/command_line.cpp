#include "runtime/sys/command_line.h"

#include <algorithm>
#include <mutex>
#include <optional>

#include "runtime/sys/platform.h"

namespace runtime {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

struct Override {
    std::mutex mutex;
    std::optional<std::vector<std::string>> arguments;
};

Override& commandLineOverride() {
    static Override instance;
    return instance;
}

// The real arguments never change while the program runs: read them once.
const std::vector<std::string>& processArguments() {
    static const std::vector<std::string> arguments = [] {
        std::vector<std::string> all = platform::commandLine();
        if (!all.empty()) {
            all.erase(all.begin());
        }
        return all;
    }();
    return arguments;
}

std::string programName(std::string_view line, size_t& at) {
    std::string name;
    if (at < line.size() && line[at] == '"') {
        size_t close = line.find('"', at + 1);
        size_t end = close == std::string_view::npos ? line.size() : close;
        name = line.substr(at + 1, end - at - 1);
        at = close == std::string_view::npos ? line.size() : close + 1;
    }
    while (at < line.size() && !isBlank(line[at])) {
        name.push_back(line[at++]);
    }
    return name;
}

} // namespace

std::vector<std::string> splitCommandLine(std::string_view line) {
    std::vector<std::string> arguments;
    size_t at = 0;
    while (at < line.size() && isBlank(line[at])) {
        ++at;
    }
    if (at == line.size()) {
        return arguments;
    }
    arguments.push_back(programName(line, at));
    while (true) {
        while (at < line.size() && isBlank(line[at])) {
            ++at;
        }
        if (at == line.size()) {
            return arguments;
        }
        std::string argument;
        bool quoted = false;
        while (at < line.size() && (quoted || !isBlank(line[at]))) {
            size_t backslashes = 0;
            while (at < line.size() && line[at] == '\\') {
                ++backslashes;
                ++at;
            }
            if (at < line.size() && line[at] == '"') {
                argument.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    argument.push_back('"');
                } else if (quoted && at + 1 < line.size() && line[at + 1] == '"') {
                    argument.push_back('"');
                    ++at;
                } else {
                    quoted = !quoted;
                }
                ++at;
            } else {
                argument.append(backslashes, '\\');
                if (backslashes == 0) {
                    argument.push_back(line[at++]);
                }
            }
        }
        arguments.push_back(std::move(argument));
    }
}

std::vector<std::string> commandLineArguments() {
    Override& o = commandLineOverride();
    std::lock_guard lock(o.mutex);
    return o.arguments ? *o.arguments : processArguments();
}

bool hasSwitch(std::string_view word) {
    Override& o = commandLineOverride();
    std::lock_guard lock(o.mutex);
    const std::vector<std::string>& arguments = o.arguments ? *o.arguments : processArguments();
    return std::find(arguments.begin(), arguments.end(), word) != arguments.end();
}

ScopedCommandLine::ScopedCommandLine(std::string_view commandLine) {
    std::vector<std::string> arguments = splitCommandLine(commandLine);
    if (!arguments.empty()) {
        arguments.erase(arguments.begin());
    }
    Override& o = commandLineOverride();
    std::lock_guard lock(o.mutex);
    hadPrevious_ = o.arguments.has_value();
    if (hadPrevious_) {
        previous_ = std::move(*o.arguments);
    }
    o.arguments = std::move(arguments);
}

ScopedCommandLine::~ScopedCommandLine() {
    Override& o = commandLineOverride();
    std::lock_guard lock(o.mutex);
    if (hadPrevious_) {
        o.arguments = std::move(previous_);
    } else {
        o.arguments.reset();
    }
}

} // namespace runtime
