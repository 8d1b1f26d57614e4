#include "command.h"

#include <algorithm>
#include <ostream>

namespace rvtips {
namespace {

// Filled by the commands' files while the program starts.
std::vector<Command>& table() {
    static std::vector<Command> commands;
    return commands;
}

} // namespace

bool addCommand(const Command& command) {
    table().push_back(command);
    return true;
}

std::vector<Command> commands() {
    std::vector<Command> sorted = table();
    std::sort(sorted.begin(), sorted.end(),
              [](const Command& a, const Command& b) { return a.name < b.name; });
    return sorted;
}

const Command* findCommand(std::string_view name) {
    for (const Command& command : table()) {
        if (command.name == name) {
            return &command;
        }
    }
    return nullptr;
}

void printUsage(const Command& command, std::ostream& out) {
    out << "usage: rvtips " << command.name << ' ' << command.arguments << '\n';
}

void printUsage(std::ostream& out) {
    out << "usage: rvtips COMMAND [ARGUMENTS...]\n"
           "       rvtips --help\n"
           "Reads and checks tip files and tip markup.\n"
           "\n"
           "commands:\n";
    for (const Command& command : commands()) {
        std::string line = "  " + std::string(command.name) + " " + std::string(command.arguments);
        out << line;
        if (line.size() < 40) {
            out << std::string(40 - line.size(), ' ');
        } else {
            out << "\n" << std::string(40, ' ');
        }
        out << command.summary << '\n';
    }
    out << "\n"
           "exit codes: 0 done, 1 not found, 2 usage, 3 file error\n";
}

} // namespace rvtips
