#include "runtime/ui/box_dialog.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "runtime/ui/handles.h"

namespace runtime::ui {
namespace {

struct BoxSpec {
    std::string title;
    std::string text;
    Icon icon = Icon::None;
    std::vector<BoxButton> buttons;
    int defaultId = 0;
    int cancelId = 0;
};

LPCSTR systemIcon(Icon icon) {
    switch (icon) {
    case Icon::Information:
        return IDI_INFORMATION;
    case Icon::Exclamation:
        return IDI_WARNING;
    case Icon::Question:
        return IDI_QUESTION;
    case Icon::Stop:
        return IDI_ERROR;
    case Icon::None:
        break;
    }
    return nullptr;
}

HWND child(HWND dialog, const char* type, const char* text, DWORD style, int id) {
    HWND made = CreateWindowExA(0, type, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, dialog,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                                nullptr);
    SendMessageA(made, WM_SETFONT, SendMessageA(dialog, WM_GETFONT, 0, 0), FALSE);
    return made;
}

int dlu(HWND dialog, int x, bool horizontal) {
    RECT r{0, 0, x, x};
    MapDialogRect(dialog, &r);
    return horizontal ? r.right : r.bottom;
}

void layout(HWND dialog, const BoxSpec& spec) {
    int margin = dlu(dialog, 7, true);
    int buttonWidth = dlu(dialog, 50, true);
    int buttonHeight = dlu(dialog, 14, false);
    int gap = dlu(dialog, 4, true);

    HWND iconWindow = nullptr;
    int iconSize = 0;
    if (LPCSTR icon = systemIcon(spec.icon)) {
        iconWindow = child(dialog, "STATIC", "", SS_ICON, -1);
        SendMessageA(iconWindow, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, icon)), 0);
        iconSize = GetSystemMetrics(SM_CXICON);
    }
    HWND textWindow = child(dialog, "STATIC", spec.text.c_str(), SS_LEFT | SS_NOPREFIX, -1);

    RECT textBox{0, 0, std::max(dlu(dialog, 200, true), 300), 0};
    {
        WindowDc dc(dialog);
        Selected font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
        DrawTextA(dc.get(), spec.text.c_str(), static_cast<int>(spec.text.size()), &textBox,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    }
    int textLeft = margin + (iconWindow != nullptr ? iconSize + margin : 0);
    int topHeight = std::max<int>(textBox.bottom, iconSize);
    int buttonsWidth = static_cast<int>(spec.buttons.size()) * (buttonWidth + gap) - gap;
    int width = std::max<int>(textLeft + textBox.right + margin, margin + buttonsWidth + margin);
    int buttonsTop = margin + topHeight + margin + 2;
    int height = buttonsTop + buttonHeight + margin;

    if (iconWindow != nullptr) {
        MoveWindow(iconWindow, margin, margin, iconSize, iconSize, FALSE);
    }
    int textTop = margin + (topHeight - textBox.bottom) / 2;
    MoveWindow(textWindow, textLeft, textTop, textBox.right, textBox.bottom, FALSE);
    int x = width - margin - buttonsWidth;
    for (const BoxButton& button : spec.buttons) {
        bool isDefault = button.id == spec.defaultId;
        HWND made = child(dialog, "BUTTON", button.label.c_str(),
                          WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), button.id);
        MoveWindow(made, x, buttonsTop, buttonWidth, buttonHeight, FALSE);
        x += buttonWidth + gap;
    }
    RECT outer{0, 0, width, height};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
    int outerWidth = outer.right - outer.left;
    int outerHeight = outer.bottom - outer.top;
    RECT around{};
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (owner != nullptr && IsWindowVisible(owner)) {
        GetWindowRect(owner, &around);
    } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &around, 0);
    }
    SetWindowPos(dialog, nullptr, around.left + (around.right - around.left - outerWidth) / 2,
                 around.top + (around.bottom - around.top - outerHeight) / 2, outerWidth, outerHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (spec.defaultId != 0) {
        SendMessageA(dialog, DM_SETDEFID, static_cast<WPARAM>(spec.defaultId), 0);
        SetFocus(GetDlgItem(dialog, spec.defaultId));
    }
}

INT_PTR CALLBACK boxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* spec = reinterpret_cast<const BoxSpec*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        spec = reinterpret_cast<const BoxSpec*>(lParam);
        SetWindowTextA(dialog, spec->title.c_str());
        layout(dialog, *spec);
        if (spec->cancelId == 0) {
            EnableMenuItem(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        }
        MessageBeep(spec->icon == Icon::Stop          ? MB_ICONHAND
                    : spec->icon == Icon::Exclamation ? MB_ICONEXCLAMATION
                                                      : MB_OK);
        return spec->defaultId == 0; // FALSE: the focus was set
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (id == IDCANCEL && spec != nullptr &&
            std::none_of(spec->buttons.begin(), spec->buttons.end(),
                         [](const BoxButton& b) { return b.id == IDCANCEL; })) {
            if (spec->cancelId != 0) {
                EndDialog(dialog, spec->cancelId);
            }
            return TRUE;
        }
        if (spec != nullptr && std::any_of(spec->buttons.begin(), spec->buttons.end(),
                                           [&](const BoxButton& b) { return b.id == id; })) {
            EndDialog(dialog, id);
            return TRUE;
        }
        return FALSE;
    }
    default:
        return FALSE;
    }
}

// An empty dialog template: the box makes its controls when it starts.
std::vector<WORD> boxTemplate() {
    std::vector<WORD> words;
    DLGTEMPLATE header{};
    header.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    header.dwExtendedStyle = 0;
    header.cdit = 0;
    words.resize(sizeof header / sizeof(WORD));
    std::memcpy(words.data(), &header, sizeof header);
    words.push_back(0); // no menu
    words.push_back(0); // the dialog class
    words.push_back(0); // no title yet
    words.push_back(8); // point size
    for (const char* face = "MS Shell Dlg"; *face != '\0'; ++face) {
        words.push_back(static_cast<WORD>(*face));
    }
    words.push_back(0);
    return words;
}

} // namespace

std::string boxText(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (char c : text) {
        if (c == '|') {
            shown += "\r\n";
        } else {
            shown.push_back(c);
        }
    }
    return shown;
}

int showBox(HWND owner, const std::string& title, const std::string& text, Icon icon,
            const std::vector<BoxButton>& buttons, int defaultId, int cancelId) {
    BoxSpec spec{title, text, icon, buttons, defaultId, cancelId};
    std::vector<WORD> form = boxTemplate();
    INT_PTR answer =
        DialogBoxIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<DLGTEMPLATE*>(form.data()), owner,
                                boxProc, reinterpret_cast<LPARAM>(&spec));
    return answer <= 0 ? cancelId : static_cast<int>(answer);
}

} // namespace runtime::ui
