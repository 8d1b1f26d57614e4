#include <gtest/gtest.h>

#include "help/tipwindow/tip_settings.h"

namespace {

using help::ButtonCall;
using help::SettingsList;

TEST(FontSetting, PartsInOrderAndEmptyPartsUnset) {
    struct Case {
        std::string value;
        runtime::FontSpec font;
    };
    const Case cases[] = {
        {"Arial,10,255,700", {"Arial", 10, 255, 700}},
        {",,,", {"", 0, help::UnsetColour, 0}},
        {"", {"", 0, help::UnsetColour, 0}},
        {"Times New Roman,12", {"Times New Roman", 12, help::UnsetColour, 0}},
        {",,0,", {"", 0, 0, 0}}, // colour 0 is black, not unset
        {" Tahoma , 9 ,16711680, 8892", {"Tahoma", 9, 0xFF0000, 8892}},
        {"Arial,big,red,bold", {"Arial", 0, help::UnsetColour, 0}},
        {"Arial,-3,-1,-700", {"Arial", 0, help::UnsetColour, 0}},
        {std::string(50, 'F') + ",8,,", {std::string(40, 'F'), 8, help::UnsetColour, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        runtime::FontSpec font = help::fontSetting(c.value);
        EXPECT_EQ(font.typeface, c.font.typeface);
        EXPECT_EQ(font.size, c.font.size);
        EXPECT_EQ(font.colour, c.font.colour);
        EXPECT_EQ(font.style, c.font.style);
    }
}

TEST(SettingsRows, FontsAndTooltipsByControlName) {
    SettingsList settings;
    help::loadSettings("[S  1]FONT;Arial,10,255,700\xAB[B1]TOOLTIP;Run it\xAB[HTTP1]TOOLTIP;Our site\xAB",
                       settings);
    EXPECT_EQ(help::fontOf(settings, "S  1").typeface, "Arial");
    EXPECT_EQ(help::fontOf(settings, "S  2").typeface, "");
    EXPECT_EQ(help::fontOf(settings, "S  2").colour, help::UnsetColour);
    EXPECT_EQ(help::tooltipOf(settings, "B1"), "Run it");
    EXPECT_EQ(help::tooltipOf(settings, "HTTP1"), "Our site");
    EXPECT_EQ(help::tooltipOf(settings, "B2"), "Click here..");
    // Unnamed entries (blank lines) carry no settings, even a row stored without a name.
    help::loadSettings("FONT;Wingdings,20,,\xAB", settings);
    EXPECT_EQ(help::fontOf(settings, "").typeface, "");
}

TEST(ButtonCalls, TypesAndParameters) {
    ButtonCall exe = help::buttonCall("EXEnotepad.exe readme.txt   ");
    EXPECT_EQ(exe.type, ButtonCall::Type::Exe);
    EXPECT_EQ(exe.commandLine, "notepad.exe readme.txt");

    ButtonCall msg = help::buttonCall("MSG1025, 3 trailing words");
    EXPECT_EQ(msg.type, ButtonCall::Type::Msg);
    EXPECT_EQ(msg.event, 1025);
    EXPECT_EQ(msg.thread, 3);
    EXPECT_EQ(help::buttonCall("MSG 401,").thread, 0);
    EXPECT_EQ(help::buttonCall("MSG 401,").event, 401);
    EXPECT_EQ(help::buttonCall("MSGx,y").event, 0);

    ButtonCall hlp = help::buttonCall("HLPdemo.hlp, Customers ,ignored");
    EXPECT_EQ(hlp.type, ButtonCall::Type::Hlp);
    EXPECT_EQ(hlp.helpFile, "demo.hlp");
    EXPECT_EQ(hlp.topic, "Customers");

    EXPECT_EQ(help::buttonCall("hlpdemo.hlp,x").type, ButtonCall::Type::Hlp);
    EXPECT_EQ(help::buttonCall("RUNnotepad").type, ButtonCall::Type::None);
    EXPECT_EQ(help::buttonCall("").type, ButtonCall::Type::None);
}

TEST(ButtonCalls, LongParametersAreNotCut) {
    // The value holds 60 characters; a command or help file that fills it
    // must run as it was set.
    const std::string command = "C:\\Program Files\\Accounts\\bin\\ledger.exe /year 2024 /q";
    ASSERT_EQ(command.size(), 54u);
    EXPECT_EQ(help::buttonCall("EXE" + command + "ab").commandLine, command + "ab");
    const std::string file = "C:\\Program Files\\Accounts\\ledger.hlp";
    EXPECT_EQ(help::buttonCall("HLP" + file + ",Totals").helpFile, file);
}

TEST(TipLinks, TargetFromSettingsOrFromTheLinkText) {
    help::ControlList list;
    const help::ControlEntry& link = list.add(help::entry_kind::Lnk, "LNK1", "Page 2", 1);
    SettingsList settings;
    help::LinkTarget derived = help::linkTarget(link, settings);
    EXPECT_TRUE(derived.derived);
    EXPECT_EQ(derived.key.procedure.clipped(), "");
    EXPECT_EQ(derived.key.control.clipped(), "Page2");
    EXPECT_EQ(derived.key.type.clipped(), "");

    settings.put("LNK1", help::setting::LinkTipCtl, "?Customers:Button");
    help::LinkTarget set = help::linkTarget(link, settings);
    EXPECT_FALSE(set.derived);
    EXPECT_EQ(set.key.procedure.clipped(), "");
    EXPECT_EQ(set.key.control.clipped(), "?Customers:Button");
    settings.put("LNK1", help::setting::LinkTipProc, "BrowseCustomers");
    EXPECT_EQ(help::linkTarget(link, settings).key.procedure.clipped(), "BrowseCustomers");
    // A procedure row alone does not make a target.
    SettingsList procedureOnly;
    procedureOnly.put("LNK1", help::setting::LinkTipProc, "BrowseCustomers");
    EXPECT_TRUE(help::linkTarget(link, procedureOnly).derived);
}

TEST(PendingHelp, QuotesAroundFileAndTopic) {
    help::HelpTopic plain = help::pendingHelpTopic("demo.hlp", "Customers");
    EXPECT_EQ(plain.file, "demo.hlp");
    EXPECT_EQ(plain.topic, "Customers");
    EXPECT_FALSE(plain.showTopic);

    help::HelpTopic quoted = help::pendingHelpTopic("\"my help.hlp\"  ", "\"Order Entry\"");
    EXPECT_EQ(quoted.file, "my help.hlp");
    EXPECT_EQ(quoted.topic, "Order Entry");
    EXPECT_TRUE(quoted.showTopic);

    EXPECT_EQ(help::pendingHelpTopic("\"demo.hlp", "\"").file, "\"demo.hlp");
    EXPECT_FALSE(help::pendingHelpTopic("demo.hlp", "\"").showTopic);
}

} // namespace
