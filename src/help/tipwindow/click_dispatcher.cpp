#include "help/tipwindow/click_dispatcher.h"

#include "help/tipwindow/content_layout.h"
#include "help/tipwindow/tip_settings.h"
#include "runtime/text/strings.h"

namespace help {
namespace {

using runtime::text::upper;

std::string kindOf(const ControlEntry& entry) {
    return upper(entry.TYPE.clipped());
}

void pressButton(const ControlEntry& button, const SettingsList& settings, TipActions& actions) {
    const SettingsRow* call = settings.find(button.NAME.clipped(), setting::Call);
    if (call == nullptr) {
        return;
    }
    ButtonCall parsed = buttonCall(call->SETTING.view());
    switch (parsed.type) {
    case ButtonCall::Type::Exe:
        if (!parsed.commandLine.empty()) {
            actions.runProgram(parsed.commandLine);
        }
        break;
    case ButtonCall::Type::Msg:
        actions.closeAndPost(parsed.event, parsed.thread);
        break;
    case ButtonCall::Type::Hlp:
        actions.closeAndOpenHelp(parsed.helpFile, parsed.topic);
        break;
    case ButtonCall::Type::None:
        break;
    }
}

} // namespace

void dispatchClick(int32_t control, const ControlList& entries, const SettingsList& settings,
                   TipActions& actions) {
    const int32_t number = contentEntry(control);
    if (number < 1 || static_cast<size_t>(number) > entries.size()) {
        return;
    }
    const ControlEntry& entry = entries[static_cast<size_t>(number) - 1];
    const std::string kind = kindOf(entry);
    if (kind == entry_kind::Region && number > 1) {
        const ControlEntry& label = entries[static_cast<size_t>(number) - 2];
        if (kindOf(label) == entry_kind::Http) {
            actions.openHyperlink(label);
        } else if (kindOf(label) == entry_kind::Lnk) {
            actions.followTipLink(label);
        }
    } else if (kind == entry_kind::Button) {
        pressButton(entry, settings, actions);
    }
}

} // namespace help
