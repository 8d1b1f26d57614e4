#include <gtest/gtest.h>

#include "runtime/sys/interaction.h"
#include "support/scripted_interaction.h"

namespace {

using namespace runtime;
using testing_support::Halted;
using testing_support::ScriptedInteraction;

TEST(Interaction, ScriptedAnswersThenDefaults) {
    ScriptedInteraction scripted;
    ScopedInteraction use(scripted);
    scripted.answerMessage(button::No);
    EXPECT_EQ(message("Rebuild?", "Invalid Key", Icon::Exclamation, button::Yes | button::No, button::Yes),
              button::No);
    EXPECT_EQ(message("Rebuild?", "Invalid Key", Icon::Exclamation, button::Yes | button::No, button::Yes),
              button::Yes);
    EXPECT_EQ(message("Gone", "", Icon::None, button::No | button::Cancel), button::No);
    ASSERT_EQ(scripted.messages().size(), 3u);
    EXPECT_EQ(scripted.messages()[0].title, "Invalid Key");
}

TEST(Interaction, HaltAndEndingAtAStopBoxDoNotReturn) {
    ScriptedInteraction scripted;
    ScopedInteraction use(scripted);
    try {
        halt(0, "Disk Error");
        FAIL() << "halt returned";
    } catch (const Halted& h) {
        EXPECT_EQ(h.exitCode, 0);
        EXPECT_EQ(h.haltText, "Disk Error");
    }
    scripted.answerStop(testing_support::StopAnswer::EndProgram);
    EXPECT_THROW(stop("Loading tip"), Halted);
    EXPECT_NO_THROW(stop("again"));
    EXPECT_EQ(scripted.stops().size(), 2u);
}

TEST(Interaction, ScopedReplacementIsUndone) {
    Interaction* before = &interaction();
    {
        ScriptedInteraction scripted;
        ScopedInteraction use(scripted);
        EXPECT_EQ(&interaction(), &scripted);
    }
    EXPECT_EQ(&interaction(), before);
}

TEST(Interaction, ConsoleAnswersWithTheDefaultButtonAndRefusesToLaunch) {
    ConsoleInteraction console;
    EXPECT_EQ(
        console.message({"Rebuild?", "Invalid Key", Icon::Exclamation, button::Yes | button::No, button::No}),
        button::No);
    int32_t systemError = 0;
    EXPECT_EQ(console.run("hh.exe x", systemError), -4);
    EXPECT_NE(systemError, 0);
}

} // namespace
