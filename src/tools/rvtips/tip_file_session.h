// What the tip-file commands share: the tip store's message boxes written to
// standard error with their titles, a store that ends rvtips with the
// file-error exit code where it would end the program, and the checks and
// reports for files that cannot be used.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

#include "command.h"
#include "runtime/sys/interaction.h"

namespace rvtips {

// Installs, for the life of the command, boxes on standard error (answered
// with their default button) and a halt that exits with exit_code::FileError.
class StoreSession {
public:
    StoreSession();
    StoreSession(const StoreSession&) = delete;
    StoreSession& operator=(const StoreSession&) = delete;

private:
    class ToolInteraction : public runtime::ConsoleInteraction {
    public:
        void halt(int32_t exitCode, std::string_view text) override;
    };
    ToolInteraction interaction_;
    runtime::ScopedInteraction use_;
};

// True when `path` is a tip file of the current layout; otherwise says why
// on `err` (a file error, or an old file that wants "rvtips upgrade").
bool usableTipFile(const std::string& path, std::ostream& err);

// The runtime's current error about `path`, as the engine's "File Access
// Error" message; returns exit_code::FileError.
int fileError(const std::string& path);

// "rvtips NAME: problem" and the command's usage; returns exit_code::Usage.
int usageError(const Command& command, std::string_view problem, std::ostream& err);

// A text from the command line or a text file as a tip's editor holds it: lines
// end with CR LF, and a file's final line break is not part of the text.
std::string tipText(std::string text, bool fromFile);
// False (after telling) when the file cannot be read.
bool readWholeFile(const std::string& path, std::string& bytes, std::ostream& err);

// yyyy-mm-dd, or "" for no date.
std::string dateText(int32_t day);

} // namespace rvtips
