#include "help/engine/engine_setup.h"

#include "help/engine/upgrade_window.h"
#include "help/store/store_hooks.h"
#include "msghook/ui_host.h"
#include "runtime/ui/threads.h"

namespace help {

void installHelpEngine() {
    msghook::installUiHost();
    static UpgradeWindow upgradeWindow;
    setUpgradeProgress(&upgradeWindow);
    setTipAddedNotifier([](int32_t askingThread) {
        // A tip asked for on the tip window's own thread has no one to tell.
        if (askingThread != 0) {
            runtime::ui::post(TipAddedEvent, 0, askingThread);
        }
    });
}

} // namespace help
