// The program's command line and its diagnostic switches. Switches are whole
// words compared case-sensitively: "/rvdebug" and "/rvDebug" are different
// switches, and "/rvdebugX" is neither.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace runtime {

// The program's arguments, without the program name.
std::vector<std::string> commandLineArguments();

// True when `word` is exactly one of the program's arguments. Safe from any
// thread.
bool hasSwitch(std::string_view word);

// Splits a command line the way Windows programs split theirs: blanks and tabs
// separate arguments; double quotes group blanks into an argument and are
// removed; inside quotes "" is one literal quote; backslashes are literal
// except before a quote, where 2n backslashes give n and the quote keeps its
// meaning, and 2n+1 give n and a literal quote. The first argument, the
// program name, ends at the first blank outside quotes and keeps its
// backslashes. The result starts with the program name (when there is one).
std::vector<std::string> splitCommandLine(std::string_view commandLine);

// For tests: the program behaves as if started with `commandLine` (program
// name first, split as above) while the object lives. Overrides nest.
class ScopedCommandLine {
public:
    explicit ScopedCommandLine(std::string_view commandLine);
    ~ScopedCommandLine();
    ScopedCommandLine(const ScopedCommandLine&) = delete;
    ScopedCommandLine& operator=(const ScopedCommandLine&) = delete;

private:
    std::vector<std::string> previous_;
    bool hadPrevious_ = false;
};

} // namespace runtime
