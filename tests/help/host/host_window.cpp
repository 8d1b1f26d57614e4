#include "host_window.h"

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
            {.number = RememberBox,
             .kind = kind::Check,
             .use = "?Remember",
             .at = {70, 32, 70, 10},
             .text = "Remember"},
            {.number = NotesText, .kind = kind::Text, .use = "?Notes", .at = {8, 52, 140, 40}},
            {.number = CloseButton,
             .kind = kind::Button,
             .use = "?Close",
             .at = {160, 88, 50, 14},
             .text = "Close"},
        }};
    setup.tips = {
        {NameEntry, "?Name", "ENTRY"}, {OkButton, "?OK", "BUTTON"},       {RememberBox, "?Remember", "CHECK"},
        {NotesText, "?Notes", "TEXT"}, {CloseButton, "?Close", "BUTTON"},
    };
    return setup;
}

help::WindowHelpSetup helpSetupOf(const HostSetup& setup) {
    return {.tipFile = setup.tipFile,
            .procedure = setup.procedure,
            .tips = setup.tips,
            .noTipList = setup.noTipList,
            .options = setup.options,
            .popupText = setup.popupText,
            .showHelpAtOpen = setup.showHelpAtOpen};
}

HostWindow::HostWindow(HostSetup setup)
    : setup_(std::move(setup)),
      help_(helpSetupOf(setup_),
            [this](int32_t watched, std::optional<int32_t> tipResult) { record(watched, tipResult); }),
      window_(setup_.definition, [this](runtime::ui::Window& window) { help_.onEvent(window); }) {
    // The open event is recorded before the window's initialisation runs;
    // work run on the window's thread waits until that handling is over.
    window_.waitFor(runtime::event::OpenWindow);
    window_.run([](runtime::ui::Window&) { return true; });
}

HostWindow::~HostWindow() = default;

void HostWindow::record(int32_t watched, std::optional<int32_t> tipResult) {
    std::lock_guard lock(mutex_);
    watched_.push_back(watched);
    if (tipResult) {
        tipCalls_.push_back({watched, *tipResult});
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
