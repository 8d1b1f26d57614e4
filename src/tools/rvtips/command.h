// The subcommands of rvtips. Each lives in a file of its own and adds itself
// to the table when the program starts:
//
//   namespace {
//   int run(const rvtips::Arguments& arguments, std::ostream& out, std::ostream& err) { ... }
//   const bool added = rvtips::addCommand({"list", "TIPFILE", "list the tips of a tip file", run});
//   }
//
// and is listed in CMakeLists.txt; nothing else needs to change.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace rvtips {

namespace exit_code {
inline constexpr int Done = 0;
inline constexpr int NotFound = 1;
inline constexpr int Usage = 2;
inline constexpr int FileError = 3;
} // namespace exit_code

using Arguments = std::vector<std::string>;

struct Command {
    std::string_view name;
    std::string_view arguments; // as the usage line shows them
    std::string_view summary;
    // Runs with the arguments after the command's name; returns an exit code.
    int (*run)(const Arguments& arguments, std::ostream& out, std::ostream& err);
};

// Adds a command to the table; returns true so a file can keep the result.
bool addCommand(const Command& command);

// The commands in name order.
std::vector<Command> commands();
const Command* findCommand(std::string_view name);

// The program's usage: every command with its arguments and summary.
void printUsage(std::ostream& out);
// One command's usage line, for its own argument errors.
void printUsage(const Command& command, std::ostream& out);

} // namespace rvtips
