#include <gtest/gtest.h>

#include "help/markup/settings_list.h"

namespace {

using help::SettingsList;

constexpr char RowEnd = '\xAB';

std::vector<std::string> rowsOf(const SettingsList& list) {
    std::vector<std::string> rows;
    for (const help::SettingsRow& row : list) {
        rows.push_back(std::string(row.CONTROLNAME.clipped()) + "|" + std::string(row.PROP.clipped()) + "|" +
                       std::string(row.SETTING.clipped()));
    }
    return rows;
}

std::string stored(std::string text) {
    for (char& c : text) {
        if (c == '~') {
            c = RowEnd;
        }
    }
    return text;
}

TEST(SettingsList, PutAddsOrReplacesInPlace) {
    SettingsList list;
    list.put("S  1", "FONT", "Arial,,,", "first text");
    list.put("B1", "TOOLTIP", "Run");
    list.put("S  1", "FONT", "Tahoma,,,", "new text");
    EXPECT_EQ(rowsOf(list), (std::vector<std::string>{"S  1|FONT|Tahoma,,,", "B1|TOOLTIP|Run"}));
    ASSERT_NE(list.find("S  1", "FONT"), nullptr);
    EXPECT_EQ(list.find("S  1", "FONT")->TEXT.clipped(), "new text");
    EXPECT_EQ(list.find("S  1", "TOOLTIP"), nullptr);
    EXPECT_EQ(list.find("s  1", "FONT"), nullptr);
}

TEST(SettingsList, StoredFormWritesANameWheneverTheControlChanges) {
    SettingsList list;
    list.put("S  1", "FONT", "Arial,10,255,700");
    list.put("B1", "TOOLTIP", "Run it   ");
    list.put("B1", "CALL", "EXEnotepad.exe");
    EXPECT_EQ(help::storedSettings(list),
              stored("[S  1]FONT;Arial,10,255,700~[B1]TOOLTIP;Run it~CALL;EXEnotepad.exe~"));

    SettingsList again;
    again.put("LNK1", "TOOLTIP", "Next");
    again.put("B1", "TOOLTIP", "Run");
    again.put("LNK1", "LINKTIPCTL", "Page2");
    EXPECT_EQ(help::storedSettings(again),
              stored("[LNK1]TOOLTIP;Next~[B1]TOOLTIP;Run~[LNK1]LINKTIPCTL;Page2~"));
}

TEST(SettingsList, LoadingReadsTheStoredForm) {
    struct Case {
        std::string title;
        std::string text;
        std::vector<std::string> rows;
    };
    const std::vector<Case> cases = {
        {"empty", "", {}},
        {"the example",
         "[S  1]FONT;Arial,10,255,700~[B1]TOOLTIP;Run it~CALL;EXEnotepad.exe~",
         {"S  1|FONT|Arial,10,255,700", "B1|TOOLTIP|Run it", "B1|CALL|EXEnotepad.exe"}},
        {"a blank value is no setting", "[B1]TOOLTIP;   ~CALL;~", {}},
        {"the last row needs no end", "[B1]CALL;EXEa", {"B1|CALL|EXEa"}},
        {"a closing bracket also ends a row", "[B1]CALL;x]TOOLTIP;y", {"B1|CALL|x]TOOLTIP;y"}},
        {"a later row of the same control and property replaces", "[a]P;1~P;2~", {"a|P|2"}},
        {"rows before any name have none", "FONT;Arial~", {"|FONT|Arial"}},
        {"fields are cut at 20, 20 and 60",
         "[" + std::string(25, 'n') + "]" + std::string(25, 'p') + ";" + std::string(70, 'v') + "~",
         {std::string(20, 'n') + "|" + std::string(20, 'p') + "|" + std::string(60, 'v')}},
        {"brackets and semicolons inside a value are kept",
         "[B1]TOOLTIP;Open [File]; then Save~[B2]TOOLTIP;x~",
         {"B1|TOOLTIP|Open [File]; then Save", "B2|TOOLTIP|x"}},
        {"garbage reads as nothing", "]]]~~~[[[", {}},
        {"garbage with values reads as rows, not as an error", ";a[;b]c;d", {"||a[;b]c;d"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        SettingsList list;
        list.put("old", "P", "v");
        help::loadSettings(stored(c.text), list);
        EXPECT_EQ(rowsOf(list), c.rows);
    }
}

TEST(SettingsList, RoundTripKeepsRowsAndOrder) {
    SettingsList list;
    list.put("S  1", "FONT", "MS Sans Serif,8,0,400", "Hello");
    list.put("HTTP1", "TOOLTIP", "Open [the] page; now");
    list.put("B2", "CALL", "MSG1025,2");
    list.put("B2", "TOOLTIP", "Post");
    list.put("LNK1", "LINKTIPPROC", "Main");
    SettingsList loaded;
    help::loadSettings(help::storedSettings(list), loaded);
    EXPECT_EQ(rowsOf(loaded), rowsOf(list));
    EXPECT_TRUE(loaded.find("S  1", "FONT")->TEXT.blank());
}

TEST(SettingsList, StoredFormLeavesOutWholeRowsThatDoNotFit) {
    SettingsList list;
    for (int i = 0; i < 200; ++i) {
        list.put("C" + std::to_string(i), "TOOLTIP", std::string(60, 'x'));
    }
    std::string text = help::storedSettings(list);
    EXPECT_LE(text.size(), help::MaxStoredSettings);
    EXPECT_EQ(text.back(), RowEnd);
    SettingsList loaded;
    help::loadSettings(text, loaded);
    ASSERT_GT(loaded.size(), 90u);
    ASSERT_LT(loaded.size(), 200u);
    for (const help::SettingsRow& row : loaded) {
        EXPECT_EQ(row.SETTING.clipped(), std::string(60, 'x'));
    }
}

} // namespace
