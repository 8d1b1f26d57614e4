#include "host_window.h"

#include <cstdlib>

#include "help/engine/exports.h"
#include "runtime/sys/events.h"
#include "runtime/ui/window.h"

namespace helptest {

using runtime::ui::WindowDefinition;
namespace kind = runtime::kind;
namespace wattr = runtime::ui::wattr;

HostSetup standardHost() {
    HostSetup setup;
    setup.definition = WindowDefinition{
        .caption = "Host Window",
        .font = {"MS Sans Serif", 8},
        .at = {40, 30, 220, 110},
        .flags = wattr::SystemMenu,
        .controls = {
            {.number = NameLabel, .kind = kind::String, .use = "?String1", .at = {8, 10}, .text = "Name:"},
            {.number = NameEntry, .kind = kind::Entry, .use = "?Name", .at = {50, 8, 100, 12}},
            {.number = OkButton, .kind = kind::Button, .use = "?OK", .at = {8, 30, 50, 14}, .text = "OK"},
            {.number = RememberBox, .kind = kind::Check, .use = "?Remember", .at = {70, 32, 70, 10},
             .text = "Remember"},
            {.number = NotesText, .kind = kind::Text, .use = "?Notes", .at = {8, 52, 140, 40}},
            {.number = CloseButton, .kind = kind::Button, .use = "?Close", .at = {160, 88, 50, 14},
             .text = "Close"},
        }};
    setup.tips = {
        {NameEntry, "?Name", "ENTRY"},      {OkButton, "?OK", "BUTTON"},   {RememberBox, "?Remember", "CHECK"},
        {NotesText, "?Notes", "TEXT"},      {CloseButton, "?Close", "BUTTON"},
    };
    return setup;
}

HostWindow::HostWindow(HostSetup setup)
    : setup_(std::move(setup)),
      window_(setup_.definition, [this](runtime::ui::Window& window) { onEvent(window); }) {
    // The window's initialisation is done once its open event was handled:
    // work run on its thread from now on comes after it.
    window_.waitFor(runtime::event::OpenWindow);
}

HostWindow::~HostWindow() = default;

void HostWindow::onEvent(runtime::ui::Window& window) {
    // The window's initialisation, right after it opened.
    if (window.event() == runtime::event::OpenWindow && setup_.showHelpAtOpen) {
        rvSHOWHELP(setup_.noTipList ? setup_.noTipList->c_str() : nullptr, setup_.options);
    }
    // The window's help routine, for every event.
    int32_t field = RVWATCH(setup_.popupText ? setup_.popupText->c_str() : nullptr);
    if (field != 0) {
        std::lock_guard lock(mutex_);
        watched_.push_back(field);
    }
    if (field > 0) {
        callTip(field);
        window.clearKeyCode();
    }
    // The window's Kill, while the window is still open.
    bool closing = window.event() == runtime::event::CloseWindow || window.event() == runtime::event::CloseDown;
    if (closing) {
        RVCLOSE();
    }
}

void HostWindow::callTip(int32_t field) {
    int32_t control = std::abs(field);
    for (const TipName& tip : setup_.tips) {
        if (tip.control != control) {
            continue;
        }
        int32_t result = rvCallHelpTipEx(setup_.tipFile.c_str(), setup_.procedure.c_str(), tip.use.c_str(),
                                         tip.type.c_str(), control);
        std::lock_guard lock(mutex_);
        tipCalls_.push_back({control, result});
        return;
    }
}

std::vector<int32_t> HostWindow::watched() const {
    std::lock_guard lock(mutex_);
    return watched_;
}

std::vector<TipCall> HostWindow::tipCalls() const {
    std::lock_guard lock(mutex_);
    return tipCalls_;
}

bool HostWindow::waitForTipCalls(size_t count, std::chrono::milliseconds timeout) const {
    return uitest::waitUntil([&] { return tipCalls().size() >= count; }, timeout);
}

void HostWindow::clearRecords() {
    std::lock_guard lock(mutex_);
    watched_.clear();
    tipCalls_.clear();
}

} // namespace helptest
