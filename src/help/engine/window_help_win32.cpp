#include "help/engine/exports.h"
#include "help/engine/window_help.h"
#include "runtime/sys/events.h"
#include "runtime/ui/window.h"

namespace help {

WindowHelp::WindowHelp(WindowHelpSetup setup, Observer observer)
    : setup_(std::move(setup)), observer_(std::move(observer)) {}

bool WindowHelp::onEvent(runtime::ui::Window& window) {
    if (window.event() == runtime::event::OpenWindow && setup_.showHelpAtOpen) {
        rvSHOWHELP(setup_.noTipList ? setup_.noTipList->c_str() : nullptr, setup_.options);
    }
    int32_t watched = RVWATCH(setup_.popupText ? setup_.popupText->c_str() : nullptr);
    std::optional<int32_t> tipResult;
    if (watched > 0) {
        tipResult = requestTip(watched);
        window.clearKeyCode();
    }
    if (watched != 0 && observer_) {
        observer_(watched, tipResult);
    }
    // The watch ends while the window still exists: RVCLOSE reads its controls.
    if (window.event() == runtime::event::CloseWindow || window.event() == runtime::event::CloseDown) {
        RVCLOSE();
    }
    return watched > 0;
}

std::optional<int32_t> WindowHelp::requestTip(int32_t control) const {
    for (const TipName& tip : setup_.tips) {
        if (tip.control == control) {
            return rvCallHelpTipEx(setup_.tipFile.c_str(), setup_.procedure.c_str(), tip.use.c_str(),
                                   tip.type.c_str(), tip.control);
        }
    }
    return std::nullopt;
}

} // namespace help
