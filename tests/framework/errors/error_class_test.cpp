#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "framework/errors/default_errors.h"
#include "framework/errors/error_class.h"
#include "runtime/sys/errors.h"
#include "support/scripted_interaction.h"

namespace {

using namespace framework;
using runtime::Icon;
using testing_support::AssertionFailure;
using testing_support::Halted;
namespace button = runtime::button;

constexpr uint16_t kMine = 500;

class ErrorClassTest : public ::testing::Test {
protected:
    void SetUp() override {
        runtime::clearError();
        errors.Init();
    }
    void TearDown() override { runtime::clearError(); }

    void add(std::vector<ErrorDefinition> table) { errors.AddErrors(packErrors(table)); }

    // The substituted text of a template of our own.
    std::string substitute(std::string_view text) {
        add({{kMine, level::Notify, "Mine", text}});
        errors.SetId(kMine);
        return errors.SubsString();
    }

    void setState() {
        errors.SetFile("CUSTOMER.DAT");
        errors.FieldName = "CUS:NAME";
        errors.MessageText = "1 and 10";
        errors.SaveFileErrorCode = "S32";
        errors.SaveFileError = "Sharing violation";
        errors.SaveErrorCode = 5;
        errors.SaveError = "Access Denied";
    }

    testing_support::ScriptedInteraction scripted;
    runtime::ScopedInteraction use{scripted};
    ErrorClass errors;
};

TEST_F(ErrorClassTest, EveryPlaceholderLongerOnesFirst) {
    setState();
    const std::vector<std::pair<std::string, std::string>> cases{
        {"No placeholders here.", "No placeholders here."},
        {"%FileErrorCode|%FileError|%File", "S32|Sharing violation|CUSTOMER.DAT"},
        {"%ErrorCode/%ErrorText/%Error", "5/Access Denied (5)/Access Denied"},
        {"%Message in %Field", "1 and 10 in CUS:NAME"},
        {"%Files %Errors %Fields %Messages", "CUSTOMER.DATs Access Denieds CUS:NAMEs 1 and 10s"},
        {"%File and %File", "CUSTOMER.DAT and CUSTOMER.DAT"},
        {"100% sure %", "100% sure %"},
        {"%file %FILE %Previou", "%file %FILE %Previou"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(substitute(text), expected) << text;
    }
}

TEST_F(ErrorClassTest, ErrorTextUsesTheDriversOwnOnlyForError90) {
    runtime::setDriverError("S32", "Sharing violation");
    errors.SetErrors();
    EXPECT_EQ(errors.SaveErrorCode, 90);
    EXPECT_EQ(substitute("(%ErrorText) %Error"), "(Sharing violation (S32)) File System Error");
    runtime::setError(2);
    errors.SetErrors();
    EXPECT_EQ(substitute("(%ErrorText) [%FileError]"), "(File Not Found (2)) []");
}

TEST_F(ErrorClassTest, ValuesAreNeverSearchedForPlaceholders) {
    errors.SetFile("C:\\%Field\\%Previous.dat");
    errors.FieldName = "CUS:NAME";
    EXPECT_EQ(substitute("%File %Field"), "C:\\%Field\\%Previous.dat CUS:NAME");
}

TEST_F(ErrorClassTest, ALaterBlockShadowsAndReachesTheDefaultThroughPrevious) {
    add({{9, level::User, "Delete Customer", "Customers cannot be restored. %Previous"}});
    scripted.answerMessage(button::Yes);
    EXPECT_EQ(errors.Throw(9), level::Benign);
    ASSERT_EQ(scripted.messages().size(), 1u);
    EXPECT_EQ(scripted.messages()[0].text,
              "Customers cannot be restored. Are you sure you want to delete the highlighted record?");
    EXPECT_EQ(scripted.messages()[0].title, "Delete Customer");
    EXPECT_EQ(errors.currentEntry().Title, "Delete Customer"); // still current after %Previous

    EXPECT_EQ(errors.SetId(9, errors.Errors->size() - 1), level::Benign);
    EXPECT_EQ(errors.currentEntry().Title, "Confirm Delete");
    EXPECT_EQ(errors.SetId(9, 0), level::Notify);
    EXPECT_EQ(errors.SetId(4242, 1000), level::Notify);
    EXPECT_EQ(errors.currentEntry().Title, "Confirm Delete");
}

TEST_F(ErrorClassTest, PreviousChainsAndFillsTheEarlierTemplate) {
    errors.SetFile("CUSTOMER.DAT");
    EXPECT_EQ(substitute("[%Previous]"), "[]");
    add({{23, level::Fatal, "Open", "%Previous Call support."}, {23, level::Fatal, "Open", "%Previous!"}});
    errors.SetId(23);
    EXPECT_EQ(errors.SubsString(), "File (CUSTOMER.DAT) could not be opened.  Error:  (0). Call support.!");
}

TEST_F(ErrorClassTest, UserQuestionsOnlyYesGoesOn) {
    const std::vector<std::pair<int32_t, Level>> answers{{button::Yes, level::Benign},
                                                         {button::No, level::Cancel},
                                                         {0, level::Cancel},
                                                         {button::Cancel, level::Cancel}};
    for (const auto& [answer, expected] : answers) {
        scripted.answerMessage(answer);
        EXPECT_EQ(errors.Throw(8), expected) << "answer " << answer;
    }
    const runtime::MessageRequest box = scripted.messages().at(0);
    EXPECT_EQ(box.text, "Are you sure you want to cancel?");
    EXPECT_EQ(box.title, "Changes will be lost!");
    EXPECT_EQ(box.icon, Icon::Exclamation);
    EXPECT_EQ(box.buttons, button::Yes | button::No);
    EXPECT_EQ(box.defaultButton, button::Yes);

    add({{kMine, level::Cancel, "Stored as cancel", "Go on?"}});
    scripted.answerMessage(button::Yes);
    EXPECT_EQ(errors.Throw(kMine), level::Benign);
    EXPECT_EQ(scripted.messages().size(), 5u);
}

TEST_F(ErrorClassTest, NotifyAndBenignLevels) {
    EXPECT_EQ(errors.TakeError(22), level::Notify);
    const runtime::MessageRequest box = scripted.messages().at(0);
    EXPECT_EQ(box.text, "There are no records available to process.");
    EXPECT_EQ(box.icon, Icon::Information);
    EXPECT_EQ(box.buttons, button::Ok);

    add({{kMine, level::Benign, "Quiet", "Never shown"}});
    EXPECT_EQ(errors.Throw(kMine), level::Benign);
    EXPECT_EQ(scripted.messages().size(), 1u);
}

TEST_F(ErrorClassTest, FatalProgramAndOtherLevelsHaltWithTheTitle) {
    add({{kMine, 7, "Strange Level", "Odd."}});
    const std::vector<std::tuple<uint16_t, std::string, std::string>> cases{
        {23, "File Access Error",
         "File (CUSTOMER.DAT) could not be opened.  Error: Access Denied (5).  Press OK to end this "
         "application"},
        {39, "File Usage Error",
         "Attempt to use file (CUSTOMER.DAT) before it was opened  Press OK to end this application"},
        {kMine, "Strange Level", "Odd.  Press OK to end this application"},
    };
    errors.SetFile("CUSTOMER.DAT");
    for (const auto& [id, title, text] : cases) {
        runtime::setError(5);
        try {
            errors.Throw(id);
            ADD_FAILURE() << "error " << id << " returned";
        } catch (const Halted& h) {
            EXPECT_EQ(h.exitCode, 0);
            EXPECT_EQ(h.haltText, title);
        }
        const runtime::MessageRequest box = scripted.messages().back();
        EXPECT_EQ(box.title, title);
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.icon, Icon::Information);
        EXPECT_EQ(box.buttons, button::Ok);
    }
}

TEST_F(ErrorClassTest, MessageAsksWithTheCallersButtonsAndTheLastThrownState) {
    runtime::setError(5);
    errors.SetFile("CUSTOMER.DAT");
    errors.Throw(25);
    runtime::setError(2);
    scripted.answerMessage(button::Cancel);
    EXPECT_EQ(errors.Message(23, button::Yes | button::No | button::Cancel, button::No), button::Cancel);
    const runtime::MessageRequest box = scripted.messages().back();
    EXPECT_EQ(box.text, "File (CUSTOMER.DAT) could not be opened.  Error: Access Denied (5).");
    EXPECT_EQ(box.icon, Icon::Exclamation);
    EXPECT_EQ(box.buttons, button::Yes | button::No | button::Cancel);
    EXPECT_EQ(box.defaultButton, button::No);
}

TEST_F(ErrorClassTest, TextsAreCutToTheirFields) {
    runtime::setError(5, std::string(300, 'e'));
    errors.SetErrors();
    EXPECT_EQ(errors.SaveError.clipped().size(), 255u);
    errors.ThrowMessage(24, std::string(300, 'm'));
    EXPECT_EQ(scripted.messages().back().text,
              "The Procedure " + std::string(255, 'm') + " has not been defined.");
    std::string many;
    for (int i = 0; i < 10; ++i) {
        many += "%Message";
    }
    EXPECT_EQ(substitute(many), std::string(2000, 'm'));
}

TEST_F(ErrorClassTest, ABlockThatDiesAfterLoadingIsHarmless) {
    {
        std::vector<uint8_t> block =
            packErrors(std::vector<ErrorDefinition>{{kMine, 5, "Gone", "Still here"}});
        errors.AddErrors(block);
        std::fill(block.begin(), block.end(), uint8_t{'x'});
    }
    EXPECT_EQ(errors.Throw(kMine), level::Notify);
    EXPECT_EQ(scripted.messages().back().text, "Still here");
}

TEST_F(ErrorClassTest, ProgrammingErrorsAreAsserted) {
    EXPECT_THROW(errors.SetId(4242), AssertionFailure);
    const size_t before = errors.Errors->size();
    EXPECT_THROW(errors.AddErrors(std::vector<uint8_t>{1, 0, 9}), AssertionFailure);
    EXPECT_EQ(errors.Errors->size(), before);
    errors.Kill();
    errors.Kill();
    EXPECT_THROW(errors.Throw(9), AssertionFailure);
    EXPECT_THROW(errors.AddErrors(DefaultErrors), AssertionFailure);
    errors.Init();
    errors.Init();
    EXPECT_EQ(errors.Errors->size(), 39u);
}

struct QuietErrors : ErrorClass {
    Level TakeUser() override {
        asked.push_back(SubsString());
        return level::Cancel;
    }
    std::vector<std::string> asked;
};

TEST(ErrorClassOverride, TakeOperationsAreReplaceable) {
    testing_support::ScriptedInteraction scripted;
    runtime::ScopedInteraction use(scripted);
    QuietErrors errors;
    errors.Init();
    EXPECT_EQ(errors.Throw(9), level::Cancel);
    EXPECT_EQ(errors.asked,
              std::vector<std::string>{"Are you sure you want to delete the highlighted record?"});
    EXPECT_TRUE(scripted.messages().empty());
}

TEST(Replace, EveryOccurrenceCaseSensitiveWithoutLooping) {
    const std::vector<std::tuple<std::string, std::string, std::string, std::string>> cases{
        {"ab", "x", "abcab", "xcx"}, {"a", "aa", "aXa", "aaXaa"}, {"A", "x", "abc", "abc"},
        {"", "x", "abc", "abc"},     {"abc", "", "abcabc", ""},
    };
    for (const auto& [find, replacement, into, expected] : cases) {
        std::string text = into;
        Replace(find, replacement, text);
        EXPECT_EQ(text, expected) << find << " in " << into;
    }
}

} // namespace
