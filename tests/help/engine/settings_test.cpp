// The setters: what they store, how they fit texts to their settings, and
// which of them can be traced.
#include <gtest/gtest.h>
#include <string>

#include "help/engine/engine_state.h"
#include "help/engine/exports.h"
#include "help/store/store_state.h"
#include "runtime/sys/command_line.h"
#include "runtime/sys/interaction.h"
#include "support/scripted_interaction.h"

namespace {

using testing_support::ScriptedInteraction;

class Setters : public ::testing::Test {
protected:
    void SetUp() override {
        help::resetEngineState();
        help::resetStoreState();
    }
    void TearDown() override {
        help::resetEngineState();
        help::resetStoreState();
    }

    ScriptedInteraction boxes;
    runtime::ScopedInteraction scoped{boxes};
};

TEST_F(Setters, TextsAreCutOrPaddedToTheirSettings) {
    std::string longText(300, 'x');
    rvSetPopUp(longText.c_str());
    rvSetCaption(longText.c_str());
    rvSetNoHelpForThisTopic(longText.c_str());
    EXPECT_EQ(help::engineSettings().popupText.view(), std::string(100, 'x'));
    EXPECT_EQ(help::engineSettings().caption.view(), std::string(80, 'x'));
    EXPECT_EQ(help::noHelpText().view(), std::string(255, 'x'));

    rvSetPopUp("&Help");
    rvSetCaption("Tip");
    rvSetNoHelpForThisTopic("None");
    EXPECT_EQ(help::engineSettings().popupText.view(), "&Help" + std::string(95, ' '));
    EXPECT_EQ(help::engineSettings().caption.view(), "Tip" + std::string(77, ' '));
    EXPECT_EQ(help::noHelpText().view(), "None" + std::string(251, ' '));

    rvSetCaption(nullptr); // an omitted text blanks the setting
    EXPECT_TRUE(help::engineSettings().caption.blank());
}

TEST_F(Setters, NumbersAreStoredAsGiven) {
    rvSetEdit(2);
    rvSetVariableWidth(1);
    rvStayOpen(1);
    rvSetColor(0x123456);
    rvSetPosition(10, -1, 300, 77);
    help::EngineSettings s = help::engineSettings();
    EXPECT_EQ(s.editPermission, 2);
    EXPECT_EQ(s.variableWidth, 1);
    EXPECT_EQ(s.stayOpen, 1);
    EXPECT_EQ(s.tipColour, 0x123456);
    EXPECT_EQ(s.fixedX, 10);
    EXPECT_EQ(s.fixedY, -1);
    EXPECT_EQ(s.fixedWidth, 300);
    EXPECT_TRUE(boxes.stops().empty()) << "traced without /rvtrace";
}

TEST_F(Setters, CueCardsTakeTheModeAndADelayByItsSign) {
    struct Step {
        int32_t delay, mode;
        int32_t expectedDelay, expectedMode;
    };
    const Step steps[] = {
        {0, 3, 350, 3},   // 0 asks for the standard delay
        {-1, 0, 350, 0},  // negative: only the mode changes
        {300, 3, 300, 3}, // positive: taken as it is
        {-7, 5, 300, 5},
        {0, 0, 350, 0},
    };
    for (const Step& step : steps) {
        rvSetCueCards(step.delay, step.mode);
        EXPECT_EQ(help::engineSettings().cueCardDelay, step.expectedDelay) << step.delay << "," << step.mode;
        EXPECT_EQ(help::engineSettings().cueCardMode, step.expectedMode) << step.delay << "," << step.mode;
    }
}

TEST_F(Setters, TraceSwitchShowsThreeSettersBeforeTheyStore) {
    runtime::ScopedCommandLine commandLine("rvdemo.exe /rvtrace");
    rvSetEdit(1);
    rvSetVariableWidth(0);
    rvStayOpen(1);
    rvSetPopUp("x");
    rvSetCaption("x");
    rvSetColor(1);
    rvSetPosition(1, 2, 3, 4);
    rvSetCueCards(300, 3);
    rvSetNoHelpForThisTopic("x");
    EXPECT_EQ(boxes.stops(),
              (std::vector<std::string>{" Set Edit : 1", " Set Variable Width : 0", " Stay Open : 1"}));
    EXPECT_EQ(help::engineSettings().editPermission, 1);
    EXPECT_EQ(help::engineSettings().stayOpen, 1);
}

TEST_F(Setters, EndingTheProgramAtATraceStoresNothing) {
    runtime::ScopedCommandLine commandLine("rvdemo.exe /rvtrace");
    boxes.answerStop(testing_support::StopAnswer::EndProgram);
    EXPECT_THROW(rvSetEdit(2), testing_support::Halted);
    EXPECT_EQ(help::engineSettings().editPermission, 0);
}

} // namespace
