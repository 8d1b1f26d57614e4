// The common ground of the tip window's tests: the engine connected to the
// runtime as in the program, the real tip window, a tip file of the test's
// own in a folder of its own, boxes and launches answered and recorded by a
// script, and every tip window followed.
#pragma once

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "help/store/stored_tips.h"
#include "host_window.h"
#include "runtime/sys/interaction.h"
#include "support/scripted_interaction.h"
#include "tip_follower.h"

namespace tiptest {

// A tip of the standard host window ("HostWindow"), or, with an empty
// procedure and type, a tip that tip links lead to.
help::StoredTip hostTip(std::string_view control, std::string_view type, std::string_view text,
                        std::string_view settings = {}, int16_t width = 0);
help::StoredTip linkedTip(std::string_view control, std::string_view text);

// Settings rows in their stored form: {"B1", "CALL", "EXEnotepad.exe"}, ...
struct Row {
    std::string control;
    std::string property;
    std::string value;
};
std::string storedRows(const std::vector<Row>& rows);

// The standard host, placed where a tip fits above and left of its controls.
helptest::HostSetup roomyHost();

class TipWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Writes "ruvo.rvh", the tip file the host asks with.
    void writeTips(const std::vector<help::StoredTip>& tips);
    std::vector<help::StoredTip> storedTips();
    // Asks for the tip of one of the host's controls, as its tip routine does.
    int32_t ask(helptest::HostWindow& host, int32_t control);
    // Asks and waits for the tip to show.
    ShownTip askAndWait(helptest::HostWindow& host, int32_t control);
    // Closes the open tip window, if any, and waits for it.
    void closeTip();

    testing_support::ScriptedInteraction boxes;
    TipFollower tips;

private:
    runtime::ScopedInteraction scopedBoxes_{boxes};
    std::filesystem::path folder_;
    std::filesystem::path previousFolder_;
};

} // namespace tiptest
