// Shows the tip windows a person meets, for looking at: a tip using every
// kind of markup, one with a caption, one too tall for the screen's tip
// height, and the tip of a control that has none. Run by scripts/tour with
// "--tour FOLDER", it saves a picture of each; without it, it shows each tip
// for a few seconds.
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "help/engine/engine_setup.h"
#include "help/engine/exports.h"
#include "help/store/stored_tips.h"
#include "help/tipwindow/tip_window.h"
#include "runtime/sys/events.h"
#include "runtime/ui/property.h"
#include "runtime/ui/real_input.h"
#include "runtime/ui/screenshot.h"
#include "runtime/ui/threads.h"
#include "runtime/ui/win32_interaction.h"
#include "runtime/ui/window.h"

namespace {

using namespace runtime;
using namespace runtime::ui;

constexpr const char* Procedure = "TourHost";
constexpr const char* Separator = "\xAB";

// The host: a customer form with the controls the tips are about.
WindowDefinition host() {
    return {
        .caption = "Customer",
        .font = {"MS Sans Serif", 8, -1, 0},
        .at = {330, 330, 230, 120},
        .controls = {
            {.number = 1, .kind = kind::Prompt, .at = {8, 10, 0, 0}, .text = "&Name:"},
            {.number = 2, .kind = kind::Entry, .use = "?Name", .at = {50, 8, 120, 12}},
            {.number = 3, .kind = kind::Prompt, .at = {8, 28, 0, 0}, .text = "&Balance:"},
            {.number = 4, .kind = kind::Entry, .use = "?Balance", .at = {50, 26, 60, 12}},
            {.number = 5, .kind = kind::Button, .use = "?Save", .at = {8, 96, 50, 14}, .text = "&Save"},
            {.number = 6, .kind = kind::Button, .use = "?Export", .at = {64, 96, 50, 14}, .text = "&Export"},
            {.number = 7, .kind = kind::Button, .use = "?Close", .at = {172, 96, 50, 14}, .text = "&Close"},
        }};
}

help::StoredTip tip(std::string_view control, std::string_view text, std::string_view settings = {}) {
    help::StoredTip stored;
    stored.record.PROCEDURENAME = Procedure;
    stored.record.CONTROLNAME = control;
    stored.record.CONTROLTYPE = "ENTRY";
    stored.helpTip = std::string(text);
    stored.settings = std::string(settings);
    return stored;
}

std::string tallText() {
    std::string text = "Exporting customers\r\n<HR>\r\n";
    for (int i = 1; i <= 30; ++i) {
        text += "<T>Step " + std::to_string(i) + ": check the customer's record\r\n";
    }
    return text + "<LNK=Export formats>\r\n";
}

std::vector<help::StoredTip> tourTips() {
    std::string allKinds = "The customer's full name,| as printed on invoices.\r\n"
                           "<HR>\r\n"
                           "<T>Surname first: Lovelace, Ada\r\n"
                           "<T>At most 30 characters, 1 << 2 is fine\r\n"
                           "<B1>Open the address book\r\n"
                           "\r\n"
                           "See <LNK=Name rules> and <S\"our style guide\"www.example.com/style>\r\n"
                           "<http://example.com> <Help.chm::/names.htm> <C:\\Demo\\names.txt>\r\n";
    std::string settings = std::string("[S  1]FONT;Arial,10,8388608,700") + Separator +
                           "[B1]TOOLTIP;Opens the address book" + Separator + "CALL;EXEaddressbook.exe" +
                           Separator;
    help::StoredTip nameRules = tip("Namerules", "Names are written surname first, then the given names.\r\n"
                                                 "<T>Lovelace, Ada\r\n<T>Babbage, Charles");
    nameRules.record.PROCEDURENAME = "";
    nameRules.record.CONTROLTYPE = "";
    return {
        tip("?Name", allKinds, settings),
        nameRules,
        tip("?Balance", "What the customer owes today, in the file's currency.\r\n"
                        "<HR>\r\nA negative balance is a credit.\r\n"),
        tip("?Export", tallText()),
    };
}

// Follows the tip windows: which tips were shown, and whether one is open.
std::atomic<int> shownCount{0};
std::atomic<int> tipThread{0};
std::atomic<HWND> firstTipLink{nullptr}; // the click area of the shown tip's first tip link

void followTips() {
    help::setTipWindowListener({[](Window& window, const help::TipKey&) {
                                    firstTipLink = nullptr;
                                    for (int32_t number : window.fields()) {
                                        if (window.text(number) == "Name rules") {
                                            firstTipLink = reinterpret_cast<HWND>(static_cast<intptr_t>(
                                                window.get(number + 1, Prop::Handle).number()));
                                            break;
                                        }
                                    }
                                    tipThread = currentThread();
                                    ++shownCount;
                                },
                                [] { tipThread = 0; }});
}

// Lets the host's messages through while waiting (the tip window's
// activation talks to it).
bool pumpUntil(const std::function<bool()>& done, DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > milliseconds) {
            return false;
        }
        yield();
        Sleep(10);
    }
    return true;
}

void look(const std::string& shot) {
    if (tourFolder().empty()) {
        pumpUntil([] { return false; }, 3000);
    } else {
        tourShot(shot);
    }
}

// Clicks a tip link the way a person does, to show the tip it leads to with
// the history's back button.
void followLink(HWND link) {
    RECT area{};
    GetWindowRect(link, &area);
    int before = shownCount;
    clickAt({(area.left + area.right) / 2, (area.top + area.bottom) / 2});
    if (pumpUntil([&] { return shownCount > before; }, 10000)) {
        look("tip_after_a_tip_link");
    }
}

// Asks for the tip of `control` and keeps a picture of it.
bool showTip(int32_t control, const char* use, const char* caption, const std::string& shot) {
    rvSetCaption(caption);
    int before = shownCount;
    rvCallHelpTipEx("tour_tips.rvh", Procedure, use, "ENTRY", control);
    if (!pumpUntil([&] { return shownCount > before; }, 10000)) {
        return false;
    }
    look(shot);
    if (HWND link = firstTipLink; link != nullptr) {
        followLink(link);
    }
    post(event::CloseWindow, 0, tipThread);
    return pumpUntil([] { return tipThread == 0; }, 10000);
}

} // namespace

int main() {
    installWin32Interaction();
    help::installHelpEngine();
    char folder[MAX_PATH]{};
    GetTempPathA(MAX_PATH, folder);
    SetCurrentDirectoryA(folder);
    if (!help::writeStoredTips("tour_tips.rvh", tourTips(), false)) {
        return 1;
    }
    followTips();
    Window window(host());
    bool ok = showTip(2, "?Name", "", "tip_every_markup_kind") &&
              showTip(4, "?Balance", "Ruvo Demo Help", "tip_with_caption") &&
              showTip(6, "?Export", "", "tip_taller_than_376") && showTip(7, "?Close", "", "tip_no_help");
    window.close();
    while (window.accept()) {
    }
    DeleteFileA("tour_tips.rvh");
    return ok ? 0 : 2;
}
