// Everything that needs a person or starts another program goes through one
// replaceable interface: message, stop and halt boxes, popup menus, the font
// dialog, running programs, the shell, Windows Help, the beep and assertion
// reports. GUI programs install the Win32 implementation (runtime/ui); console
// programs keep the console one; tests install a scripted one that answers and
// records, so no test ever waits for a person or starts a browser.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace runtime {

// Message box buttons as a bit mask; a box returns the bit of the pressed button.
namespace button {
inline constexpr int32_t Ok = 1;
inline constexpr int32_t Yes = 2;
inline constexpr int32_t No = 4;
inline constexpr int32_t Cancel = 64;
} // namespace button

enum class Icon { None, Information, Exclamation, Question, Stop };

struct MessageRequest {
    std::string text; // "|" breaks the line
    std::string title;
    Icon icon = Icon::None;
    int32_t buttons = button::Ok;
    int32_t defaultButton = 0; // 0: the first button of the set
};

struct FontSpec {
    std::string typeface;
    int32_t size = 0;   // points
    int32_t colour = 0; // 0x00BBGGRR
    int32_t style = 0;  // weight (400 normal, 700 bold) plus 0x2000 underline, 0x1000 italic
};

struct Point {
    int32_t x = 0;
    int32_t y = 0;
};

// The result of ShellExecute-style calls: above 32 means success.
using ShellResult = intptr_t;

class Interaction {
public:
    virtual ~Interaction() = default;

    virtual int32_t message(const MessageRequest& request) = 0;
    // The box titled "Stop": returns when the user goes on; ending the program
    // does not return.
    virtual void stop(std::string_view text) = 0;
    // The box titled "Halt" (when the text is not empty), then the process ends
    // with the exit code. Implementations never return normally.
    virtual void halt(int32_t exitCode, std::string_view text) = 0;
    // A popup menu in the menu-text syntax, at a point of the current window or
    // at the mouse; the number of the chosen item, 0 when dismissed.
    virtual int32_t popupMenu(std::string_view menuText, std::optional<Point> at) = 0;
    // The system font dialog; true when the user confirmed (font then updated).
    virtual bool chooseFont(std::string_view caption, FontSpec& font) = 0;
    // Starts a command line without waiting: 0 when started, -4 when it could
    // not be started (the system's error number in systemError).
    virtual int32_t run(std::string_view commandLine, int32_t& systemError) = 0;
    virtual ShellResult shellExecute(void* window, std::string_view verb, std::string_view file,
                                     std::string_view parameters, std::string_view directory,
                                     int32_t show) = 0;
    virtual void windowsHelp(std::string_view helpFile, std::string_view topic) = 0;
    virtual void beep() = 0;
    // A programming error: shown, then the program ends.
    virtual void assertionFailed(std::string_view message, std::string_view file, int32_t line) = 0;
};

// Writes boxes to standard error and answers them with their default button;
// used by console programs and as the start-up default.
class ConsoleInteraction : public Interaction {
public:
    int32_t message(const MessageRequest& request) override;
    void stop(std::string_view text) override;
    void halt(int32_t exitCode, std::string_view text) override;
    int32_t popupMenu(std::string_view menuText, std::optional<Point> at) override;
    bool chooseFont(std::string_view caption, FontSpec& font) override;
    int32_t run(std::string_view commandLine, int32_t& systemError) override;
    ShellResult shellExecute(void* window, std::string_view verb, std::string_view file,
                             std::string_view parameters, std::string_view directory, int32_t show) override;
    void windowsHelp(std::string_view helpFile, std::string_view topic) override;
    void beep() override;
    void assertionFailed(std::string_view message, std::string_view file, int32_t line) override;
};

// The interaction in force for the whole process.
Interaction& interaction();
void installInteraction(Interaction& replacement);

// Installs a replacement for its own lifetime and puts the previous one back.
class ScopedInteraction {
public:
    explicit ScopedInteraction(Interaction& replacement);
    ~ScopedInteraction();
    ScopedInteraction(const ScopedInteraction&) = delete;
    ScopedInteraction& operator=(const ScopedInteraction&) = delete;

private:
    Interaction* previous_;
};

// Shorthands for the calls made everywhere.
int32_t message(std::string_view text, std::string_view title = {}, Icon icon = Icon::None,
                int32_t buttons = button::Ok, int32_t defaultButton = 0);
void stop(std::string_view text);
[[noreturn]] void halt(int32_t exitCode, std::string_view text = {});
[[noreturn]] void assertionFailed(std::string_view message, std::string_view file, int32_t line);

// The first button of a set, in the order the boxes show them.
int32_t firstButton(int32_t buttons);

} // namespace runtime

// For programming errors only (a violated precondition of a caller), never for
// bad input or damaged files.
#define RV_ASSERT(condition, message)                                                                        \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            ::runtime::assertionFailed(message, __FILE__, __LINE__);                                         \
        }                                                                                                    \
    } while (false)
