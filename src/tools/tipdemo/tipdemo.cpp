// A customer form wired to the help engine the way every window of the
// program is, for trying the engine by hand: press the caption "?" and click
// a control, right-click a control and choose "What's This", or rest the
// mouse on a control. The tips live in "tipdemo.rvh" in the temporary folder;
// the program writes a few the first time and keeps whatever is there after.
//   tipdemo [TIPFILE]
#include <windows.h>

#include <string>
#include <vector>

#include "help/engine/engine_setup.h"
#include "help/engine/exports.h"
#include "help/engine/window_help.h"
#include "help/store/stored_tips.h"
#include "runtime/sys/events.h"
#include "runtime/ui/win32_interaction.h"
#include "runtime/ui/window.h"

namespace {

using namespace runtime;
using namespace runtime::ui;

constexpr const char* Procedure = "CustomerForm";

enum Control : int32_t {
    NameLabel = 1,
    NameEntry,
    CityLabel,
    CityEntry,
    BalanceLabel,
    BalanceEntry,
    Mailing,
    Notes,
    Ok,
    Close
};

WindowDefinition customerForm() {
    return {.caption = "Customer - try the help",
            .font = {"MS Sans Serif", 8, -1, 0},
            .at = {60, 40, 236, 150},
            .flags = wattr::SystemMenu,
            .controls = {
                {.number = NameLabel, .kind = kind::Prompt, .at = {8, 10, 0, 0}, .text = "&Name:"},
                {.number = NameEntry, .kind = kind::Entry, .use = "?Name", .at = {56, 8, 170, 12}},
                {.number = CityLabel, .kind = kind::Prompt, .at = {8, 28, 0, 0}, .text = "C&ity:"},
                {.number = CityEntry, .kind = kind::Entry, .use = "?City", .at = {56, 26, 100, 12}},
                {.number = BalanceLabel, .kind = kind::Prompt, .at = {8, 46, 0, 0}, .text = "&Balance:"},
                {.number = BalanceEntry, .kind = kind::Entry, .use = "?Balance", .at = {56, 44, 60, 12}},
                {.number = Mailing,
                 .kind = kind::Check,
                 .use = "?Mailing",
                 .at = {56, 62, 120, 10},
                 .text = "&Send the newsletter"},
                {.number = Notes, .kind = kind::Text, .use = "?Notes", .at = {8, 78, 218, 42}},
                {.number = Ok,
                 .kind = kind::Button,
                 .use = "?OK",
                 .at = {122, 128, 50, 14},
                 .text = "OK",
                 .flags = attr::Default},
                {.number = Close,
                 .kind = kind::Button,
                 .use = "?Close",
                 .at = {176, 128, 50, 14},
                 .text = "Close",
                 .flags = attr::StandardClose},
            }};
}

std::vector<help::TipName> tipNames() {
    return {{NameEntry, "?Name", "ENTRY"},       {CityEntry, "?City", "ENTRY"},
            {BalanceEntry, "?Balance", "ENTRY"}, {Mailing, "?Mailing", "CHECK"},
            {Notes, "?Notes", "TEXT"},           {Ok, "?OK", "BUTTON"},
            {Close, "?Close", "BUTTON"}};
}

help::StoredTip tip(std::string_view procedure, std::string_view control, std::string_view type,
                    std::string_view text) {
    help::StoredTip stored;
    stored.record.PROCEDURENAME = procedure;
    stored.record.CONTROLNAME = control;
    stored.record.CONTROLTYPE = type;
    stored.helpTip = std::string(text);
    return stored;
}

// The first tips: a few with markup, a tip link, and a type default that
// every button without a tip of its own falls back to.
std::vector<help::StoredTip> firstTips() {
    return {
        tip(Procedure, "?Name", "ENTRY",
            "Customer name, as printed on invoices.\r\n<HR>\r\n<T>Surname first: Lovelace, Ada\r\n"
            "<T>At most 30 characters\r\n\r\nSee <LNK=Name rules> and <http://example.com>\r\n"),
        tip("", "Namerules", "",
            "Names are written surname first, then the given names.\r\n"
            "<T>Lovelace, Ada\r\n<T>Babbage, Charles\r\n"),
        tip(Procedure, "?Balance", "ENTRY",
            "What the customer owes today.\r\n<HR>\r\nA negative balance is a credit.\r\n"),
        tip(Procedure, "?Mailing", "CHECK", "Tick to send this customer the monthly newsletter.\r\n"),
        tip("", "", "BUTTON", "Press the button, or press Enter when it is the default button.\r\n"),
    };
}

std::string tipFilePath(int argc, char** argv) {
    if (argc > 1) {
        return argv[1];
    }
    char folder[MAX_PATH]{};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "tipdemo.rvh";
}

} // namespace

int main(int argc, char** argv) {
    installWin32Interaction();
    help::installHelpEngine();
    std::string tipFile = tipFilePath(argc, argv);
    if (GetFileAttributesA(tipFile.c_str()) == INVALID_FILE_ATTRIBUTES &&
        !help::writeStoredTips(tipFile, firstTips(), false)) {
        message("Cannot create the tip file " + tipFile, "Tip demo", Icon::Exclamation);
        return 1;
    }
    rvSetCueCards(100, 3);
    help::WindowHelp help({.tipFile = tipFile, .procedure = Procedure, .tips = tipNames()});
    Window window(customerForm());
    while (window.accept()) {
        help.onEvent(window);
        if (window.event() == event::Accepted && window.eventControl() == Ok) {
            window.close();
        }
    }
    return 0;
}
