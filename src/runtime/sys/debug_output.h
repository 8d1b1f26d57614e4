// The debugger output: where trace lines go. On Windows a debugger (or a
// debug-output viewer) shows them; elsewhere they are lines on standard error.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace runtime {

// Sends `text` as one piece of debugger output. Callers end their lines with
// CR LF as Windows tools expect; on standard error the line ends are written
// as one newline.
void debugOutput(std::string_view text);

// For tests: while the object lives, debugger output from every thread is
// recorded here instead of being sent. Captures nest; the innermost records.
class ScopedDebugCapture {
public:
    ScopedDebugCapture();
    ~ScopedDebugCapture();
    ScopedDebugCapture(const ScopedDebugCapture&) = delete;
    ScopedDebugCapture& operator=(const ScopedDebugCapture&) = delete;

    // Each call's text, as given, in the order the calls were made.
    std::vector<std::string> texts() const;
    void clear();

private:
    friend void debugOutput(std::string_view text);
    std::vector<std::string> texts_; // guarded by the capture registry's mutex
};

} // namespace runtime
