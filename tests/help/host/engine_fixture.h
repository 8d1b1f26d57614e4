// The common ground of the engine's window tests: the engine connected to
// the runtime's windows, boxes and menus answered by a script, the engine's
// state as at program start, and tip requests recorded instead of shown.
#pragma once

#include <gtest/gtest.h>

#include <optional>

#include "help/engine/engine_state.h"
#include "help/engine/engine_setup.h"
#include "help/store/store_state.h"
#include "recording_tip_window.h"
#include "runtime/sys/interaction.h"
#include "support/scripted_interaction.h"

namespace helptest {

class EngineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { help::installHelpEngine(); }

    void SetUp() override {
        help::resetEngineState();
        help::resetStoreState();
        tipWindow.emplace();
    }
    void TearDown() override {
        tipWindow.reset();
        help::resetEngineState();
        help::resetStoreState();
    }

    testing_support::ScriptedInteraction boxes;
    runtime::ScopedInteraction scopedBoxes{boxes};
    // Replace it to record differently (emplace with other arguments).
    std::optional<RecordingTipWindow> tipWindow;
};

} // namespace helptest
