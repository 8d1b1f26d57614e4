// The interaction of a GUI program on Windows: the system's message boxes,
// the stop and halt boxes, popup menus, the font dialog, starting programs,
// the shell, Windows Help and the beep. A GUI program installs it at start-up:
//
//   int main() { runtime::ui::installWin32Interaction(); ... }
//
// Boxes are modal to the calling thread's current window, if it has one.
#pragma once

#include "runtime/sys/interaction.h"

namespace runtime::ui {

class Win32Interaction : public Interaction {
public:
    int32_t message(const MessageRequest& request) override;
    // "Continue" returns; "End Program" ends the process at once (exit code 0).
    void stop(std::string_view text) override;
    void halt(int32_t exitCode, std::string_view text) override;
    int32_t popupMenu(std::string_view menuText, std::optional<Point> at) override;
    bool chooseFont(std::string_view caption, FontSpec& font) override;
    int32_t run(std::string_view commandLine, int32_t& systemError) override;
    ShellResult shellExecute(void* window, std::string_view verb, std::string_view file,
                             std::string_view parameters, std::string_view directory, int32_t show) override;
    // A numeric topic is a context number, any other a keyword; no topic opens the contents.
    void windowsHelp(std::string_view helpFile, std::string_view topic) override;
    void beep() override;
    void assertionFailed(std::string_view message, std::string_view file, int32_t line) override;
};

// Makes a Win32Interaction the process's interaction.
void installWin32Interaction();

// Ends the process now with the exit code, after flushing standard output.
[[noreturn]] void endProcess(int32_t exitCode);

} // namespace runtime::ui
