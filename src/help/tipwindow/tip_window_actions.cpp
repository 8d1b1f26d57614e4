// What clicks in the tip do: hyperlinks, tip links with the history they
// leave, the arrow buttons, and the actions of tip buttons.
#include <string>

#include "help/engine/engine_state.h"
#include "help/markup/hyperlink_launcher.h"
#include "help/store/store_hooks.h"
#include "help/tipwindow/tip_settings.h"
#include "help/tipwindow/tip_window_procedure.h"
#include "runtime/sys/events.h"
#include "runtime/sys/interaction.h"
#include "runtime/ui/threads.h"

namespace help {
namespace {

constexpr int32_t CouldNotStart = -4;

} // namespace

void TipWindow::goTo(const TipKey& key) {
    key_ = key;
    loadTip();
    redisplay();
}

void TipWindow::moveBack() {
    if (std::optional<TipKey> previous = history_.back(key_)) {
        goTo(*previous);
    }
}

void TipWindow::moveForward() {
    if (std::optional<TipKey> next = history_.forward()) {
        goTo(*next);
    }
}

// Only a tip stored under its own key is written: a tip that does not exist,
// or a control type's default shown for this control, would be added to the
// file as a new tip just because one of its links was followed.
void TipWindow::saveSettings() {
    if (tip_->recordMode != record_mode::Existing || tip_->kind == TipKind::TypeDefault) {
        return;
    }
    SaveOutcome saved = saveTip(*tip_, storedSettings(settings_), request_.callingThread);
    if (!saved.ok) {
        traceStoreError("ERROR, Saving Ruvo settings :  " + saved.error);
    }
}

void TipWindow::openHyperlink(const ControlEntry& link) {
    LaunchEnvironment environment;
    environment.documentationBase = engineSettings().documentationBase.clipped();
    launchHyperlink(link.TEXT, environment);
}

void TipWindow::followTipLink(const ControlEntry& link) {
    history_.followLink(key_);
    LinkTarget target = linkTarget(link, settings_);
    if (target.derived) {
        settings_.put(link.NAME.view(), setting::LinkTipProc, "");
        settings_.put(link.NAME.view(), setting::LinkTipCtl, target.key.control.clipped());
        saveSettings();
    }
    goTo(target.key);
}

void TipWindow::runProgram(std::string_view commandLine) {
    int32_t systemError = 0;
    if (runtime::interaction().run(commandLine, systemError) == CouldNotStart) {
        runtime::message("Problem running : " + std::string(commandLine) +
                             " Error = " + std::to_string(systemError),
                         "Ruvo error", runtime::Icon::Exclamation);
    }
}

void TipWindow::closeAndPost(int32_t event, int32_t thread) {
    window_->post(runtime::event::CloseWindow);
    if (event > 0) {
        runtime::ui::post(event, 0, thread == 0 ? thread_ : thread);
    }
}

void TipWindow::closeAndOpenHelp(std::string_view helpFile, std::string_view topic) {
    pendingHelpFile_ = helpFile;
    pendingTopic_ = topic;
    window_->post(runtime::event::CloseWindow);
}

} // namespace help
