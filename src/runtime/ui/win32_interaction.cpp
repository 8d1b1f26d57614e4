#include "runtime/ui/win32_interaction.h"

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "runtime/ui/box_dialog.h"
#include "runtime/ui/fonts.h"
#include "runtime/ui/popup_menu.h"
#include "runtime/ui/window.h"

namespace runtime::ui {
namespace {

HWND ownerWindow() {
    Window* window = currentWindow();
    return window != nullptr ? window->handle() : nullptr;
}

UINT iconFlag(Icon icon) {
    switch (icon) {
    case Icon::Information:
        return MB_ICONINFORMATION;
    case Icon::Exclamation:
        return MB_ICONEXCLAMATION;
    case Icon::Question:
        return MB_ICONQUESTION;
    case Icon::Stop:
        return MB_ICONHAND;
    case Icon::None:
        break;
    }
    return 0;
}

// The button sets the system box has, with its buttons in the order shown.
struct SystemSet {
    int32_t buttons;
    UINT type;
    std::vector<int32_t> order;
};

const std::vector<SystemSet>& systemSets() {
    static const std::vector<SystemSet> sets{
        {button::Ok, MB_OK, {button::Ok}},
        {button::Ok | button::Cancel, MB_OKCANCEL, {button::Ok, button::Cancel}},
        {button::Yes | button::No, MB_YESNO, {button::Yes, button::No}},
        {button::Yes | button::No | button::Cancel,
         MB_YESNOCANCEL,
         {button::Yes, button::No, button::Cancel}},
    };
    return sets;
}

int32_t pressedBit(int answer) {
    switch (answer) {
    case IDOK:
        return button::Ok;
    case IDYES:
        return button::Yes;
    case IDNO:
        return button::No;
    default:
        return button::Cancel;
    }
}

// Ids of our own box's buttons: the bit plus this, clear of IDOK and IDCANCEL.
constexpr int BoxIdBase = 100;

int32_t customMessage(HWND owner, const MessageRequest& request, int32_t buttons) {
    static const std::vector<std::pair<int32_t, const char*>> labels{
        {button::Ok, "OK"}, {button::Yes, "&Yes"}, {button::No, "&No"}, {button::Cancel, "Cancel"}};
    std::vector<BoxButton> shown;
    for (const auto& [bit, label] : labels) {
        if ((buttons & bit) != 0) {
            shown.push_back({label, BoxIdBase + bit});
        }
    }
    int32_t chosenDefault =
        (buttons & request.defaultButton) != 0 ? request.defaultButton : firstButton(buttons);
    int cancel = (buttons & button::Cancel) != 0 ? BoxIdBase + button::Cancel : 0;
    int answer = showBox(owner, request.title, boxText(request.text), request.icon, shown,
                         BoxIdBase + chosenDefault, cancel);
    return answer > BoxIdBase ? answer - BoxIdBase : firstButton(buttons);
}

UINT_PTR CALLBACK fontHook(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* choose = reinterpret_cast<const CHOOSEFONTA*>(lParam);
        const auto* caption = reinterpret_cast<const std::string*>(choose->lCustData);
        if (caption != nullptr && !caption->empty()) {
            SetWindowTextA(dialog, caption->c_str());
        }
    }
    return 0;
}

} // namespace

void endProcess(int32_t exitCode) {
    std::fflush(nullptr);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(exitCode));
    ExitProcess(static_cast<UINT>(exitCode));
}

void installWin32Interaction() {
    static Win32Interaction instance;
    installInteraction(instance);
}

int32_t Win32Interaction::message(const MessageRequest& request) {
    HWND owner = ownerWindow();
    int32_t buttons = request.buttons & (button::Ok | button::Yes | button::No | button::Cancel);
    if (buttons == 0) {
        buttons = button::Ok;
    }
    auto set = std::find_if(systemSets().begin(), systemSets().end(),
                            [&](const SystemSet& each) { return each.buttons == buttons; });
    if (set == systemSets().end()) {
        return customMessage(owner, request, buttons);
    }
    UINT type = set->type | iconFlag(request.icon) | MB_SETFOREGROUND | (owner == nullptr ? MB_TASKMODAL : 0);
    auto position = std::find(set->order.begin(), set->order.end(), request.defaultButton);
    if (position != set->order.end()) {
        static const UINT defaults[] = {MB_DEFBUTTON1, MB_DEFBUTTON2, MB_DEFBUTTON3};
        type |= defaults[position - set->order.begin()];
    }
    int answer = MessageBoxA(owner, boxText(request.text).c_str(), request.title.c_str(), type);
    int32_t pressed = answer == 0 ? firstButton(buttons) : pressedBit(answer);
    // Closing a box without Cancel answers with its only button.
    return (pressed & buttons) != 0 ? pressed : firstButton(buttons);
}

void Win32Interaction::stop(std::string_view text) {
    constexpr int GoOn = BoxIdBase;
    constexpr int End = BoxIdBase + 1;
    int answer = showBox(ownerWindow(), "Stop", boxText(text), Icon::Stop,
                         {{"&Continue", GoOn}, {"&End Program", End}}, GoOn, GoOn);
    if (answer == End) {
        endProcess(0);
    }
}

void Win32Interaction::halt(int32_t exitCode, std::string_view text) {
    if (!text.empty()) {
        HWND owner = ownerWindow();
        MessageBoxA(owner, boxText(text).c_str(), "Halt",
                    MB_OK | MB_ICONHAND | MB_SETFOREGROUND | (owner == nullptr ? MB_TASKMODAL : 0));
    }
    endProcess(exitCode);
}

int32_t Win32Interaction::popupMenu(std::string_view menuText, std::optional<Point> at) {
    return ui::popupMenu(menuText, at);
}

bool Win32Interaction::chooseFont(std::string_view caption, FontSpec& font) {
    LOGFONTA chosen{};
    WindowDc screen(nullptr);
    chosen.lfHeight = -MulDiv(font.size > 0 ? font.size : 8, GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
    int weight = font.style & fontstyle::WeightMask;
    chosen.lfWeight = weight == 0 ? fontstyle::Normal : weight;
    chosen.lfItalic = (font.style & fontstyle::Italic) != 0;
    chosen.lfUnderline = (font.style & fontstyle::Underline) != 0;
    chosen.lfStrikeOut = (font.style & fontstyle::Strikeout) != 0;
    chosen.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(chosen.lfFaceName, font.typeface.c_str(), sizeof chosen.lfFaceName - 1);

    std::string title(caption);
    CHOOSEFONTA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = ownerWindow();
    choose.lpLogFont = &chosen;
    choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK;
    choose.rgbColors = font.colour == DefaultColour ? 0 : static_cast<COLORREF>(font.colour);
    choose.lCustData = reinterpret_cast<LPARAM>(&title);
    choose.lpfnHook = fontHook;
    if (!ChooseFontA(&choose)) {
        return false;
    }
    font.typeface = chosen.lfFaceName;
    font.size = choose.iPointSize / 10;
    font.colour = static_cast<int32_t>(choose.rgbColors);
    font.style = static_cast<int32_t>(chosen.lfWeight) | (chosen.lfItalic ? fontstyle::Italic : 0) |
                 (chosen.lfUnderline ? fontstyle::Underline : 0) |
                 (chosen.lfStrikeOut ? fontstyle::Strikeout : 0);
    return true;
}

int32_t Win32Interaction::run(std::string_view commandLine, int32_t& systemError) {
    std::string line(commandLine);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (line.empty() || !CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                        &startup, &started)) {
        DWORD error = GetLastError();
        systemError = static_cast<int32_t>(error != 0 ? error : ERROR_FILE_NOT_FOUND);
        return -4;
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    systemError = 0;
    return 0;
}

ShellResult Win32Interaction::shellExecute(void* window, std::string_view verb, std::string_view file,
                                           std::string_view parameters, std::string_view directory,
                                           int32_t show) {
    std::string verbText(verb);
    std::string fileText(file);
    std::string parameterText(parameters);
    std::string directoryText(directory);
    HINSTANCE result =
        ShellExecuteA(static_cast<HWND>(window), verbText.empty() ? nullptr : verbText.c_str(),
                      fileText.c_str(), parameterText.empty() ? nullptr : parameterText.c_str(),
                      directoryText.empty() ? nullptr : directoryText.c_str(), show);
    return reinterpret_cast<ShellResult>(result);
}

void Win32Interaction::windowsHelp(std::string_view helpFile, std::string_view topic) {
    std::string file(helpFile);
    std::string key(topic);
    HWND owner = ownerWindow();
    if (owner == nullptr) {
        owner = GetDesktopWindow();
    }
    if (key.empty()) {
        WinHelpA(owner, file.c_str(), HELP_FINDER, 0);
    } else if (key.size() <= 9 && std::all_of(key.begin(), key.end(), [](char c) {
                   return std::isdigit(static_cast<unsigned char>(c));
               })) {
        WinHelpA(owner, file.c_str(), HELP_CONTEXT, std::strtoul(key.c_str(), nullptr, 10));
    } else {
        WinHelpA(owner, file.c_str(), HELP_KEY, reinterpret_cast<ULONG_PTR>(key.c_str()));
    }
}

void Win32Interaction::beep() {
    MessageBeep(MB_OK);
}

void Win32Interaction::assertionFailed(std::string_view message, std::string_view file, int32_t line) {
    std::string text = std::string(message) + "\r\n\r\n" + std::string(file) + ":" + std::to_string(line);
    HWND owner = ownerWindow();
    MessageBoxA(owner, text.c_str(), "Assertion failed",
                MB_OK | MB_ICONHAND | MB_SETFOREGROUND | (owner == nullptr ? MB_TASKMODAL : 0));
    endProcess(3);
}

} // namespace runtime::ui
