#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "help/file_errors/file_error_report.h"
#include "runtime/sys/errors.h"
#include "support/scripted_interaction.h"

namespace {

using namespace help;
using runtime::Icon;
using testing_support::Halted;
namespace button = runtime::button;

struct Expected {
    int32_t number;
    int32_t answer; // 0: the box's default
    std::string title;
    std::string text;
    Icon icon;
    int32_t buttons;
    std::string haltText; // empty: returns
};

TEST(FileErrorReport, EveryMessageExactly) {
    const std::string end = ".  Press OK to end this application.";
    const std::vector<Expected> cases{
        {1, 0, "Invalid File", "Error: (Access Denied (5)) accessing ruvo.rvh" + end, Icon::Information,
         button::Ok, "Invalid File!"},
        {2, button::Yes, "Invalid Key", "ruvo.rvh key file is invalid.  Do you want to rebuild the key?",
         Icon::Exclamation, button::Yes | button::No, ""},
        {2, button::No, "Invalid Key", "ruvo.rvh key file is invalid.  Do you want to rebuild the key?",
         Icon::Exclamation, button::Yes | button::No, "Invalid Key!"},
        {3, 0, "Key Rebuild Error", "Error: (Access Denied (5)) repairing key for ruvo.rvh" + end,
         Icon::Information, button::Ok, "Error Rebuilding Key!"},
        {4, 0, "File Creation Error", "Error: (Access Denied (5)) creating ruvo.rvh" + end, Icon::Information,
         button::Ok, "File Creation Error!"},
        {5, 0, "File Creation Error", "Error: (Access Denied (5)) opening created file:ruvo.rvh" + end,
         Icon::Information, button::Ok, "File Creation Error!"},
        {30, 0, "File Access Error", "File (ruvo.rvh) could not be opened.  Error: Access Denied (5).",
         Icon::Information, button::Ok, ""},
        {35, 0, "Record Retrieval Error",
         "Error: (Access Denied (5)) attempting to access a record from the ruvo.rvh file.  Returning to "
         "previous "
         "window.",
         Icon::Information, button::Ok, ""},
        {36, 0, "View Open Error",
         "Error: (Access Denied (5)) attempting to open the current VIEW. Filter and Range Limits ignored.",
         Icon::Information, button::Ok, ""},
    };
    for (const Expected& c : cases) {
        SCOPED_TRACE("message " + std::to_string(c.number));
        testing_support::ScriptedInteraction scripted;
        runtime::ScopedInteraction use(scripted);
        runtime::setError(5);
        if (c.answer != 0) {
            scripted.answerMessage(c.answer);
        }
        std::string haltText;
        int32_t pressed = -1;
        try {
            pressed = reportFileError(c.number, "ruvo.rvh");
        } catch (const Halted& h) {
            EXPECT_EQ(h.exitCode, 0);
            haltText = h.haltText;
        }
        EXPECT_EQ(haltText, c.haltText);
        if (haltText.empty()) {
            EXPECT_EQ(pressed, c.answer != 0 ? c.answer : button::Ok);
        }
        ASSERT_EQ(scripted.messages().size(), 1u);
        const runtime::MessageRequest box = scripted.messages()[0];
        EXPECT_EQ(box.title, c.title);
        EXPECT_EQ(box.text, c.text);
        EXPECT_EQ(box.icon, c.icon);
        EXPECT_EQ(box.buttons, c.buttons);
        EXPECT_EQ(box.defaultButton, c.buttons == button::Ok ? button::Ok : button::Yes);
    }
    runtime::clearError();
}

TEST(FileErrorReport, CurrentErrorTextIsTrimmedAndUsesTheDriversOwnFor90) {
    runtime::setError(2);
    EXPECT_EQ(currentErrorText(), "File Not Found (2)");
    runtime::setError(5, "  Access Denied   ");
    EXPECT_EQ(currentErrorText(), "Access Denied (5)");
    runtime::setDriverError(" 1234 ", " Disk full  ");
    EXPECT_EQ(currentErrorText(), "Disk full (1234)");
    runtime::setError(77, "");
    EXPECT_EQ(currentErrorText(), "(77)");
    runtime::clearError();
}

TEST(FileErrorReport, UnknownMessageIsAProgrammingError) {
    testing_support::ScriptedInteraction scripted;
    runtime::ScopedInteraction use(scripted);
    EXPECT_THROW(reportFileError(6, "ruvo.rvh"), testing_support::AssertionFailure);
    EXPECT_TRUE(scripted.messages().empty());
}

} // namespace
