// The settings list of a tip window: how single controls of the tip look and
// act (font of a text run, tooltip, a button's action, a tip link's target),
// keyed by the control's name from the control list, and the text form it is
// stored in with the tip.
//
// Stored form, by example (« is the character 0xAB):
//   [S  1]FONT;Arial,10,255,700«[B1]TOOLTIP;Run it«CALL;EXEnotepad.exe«
// A row is the property, ";", the value and «; "[name]" comes before the
// first row of a control and again whenever the control changes, so a name
// that comes back later in the list is written again.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/text/fields.h"

namespace help {

// Property keywords.
namespace setting {
inline constexpr std::string_view Font = "FONT";
inline constexpr std::string_view Tooltip = "TOOLTIP";
inline constexpr std::string_view Call = "CALL";
inline constexpr std::string_view LinkTipProc = "LINKTIPPROC";
inline constexpr std::string_view LinkTipCtl = "LINKTIPCTL";
} // namespace setting

struct SettingsRow {
    runtime::text::Fixed<20> CONTROLNAME;
    runtime::text::Fixed<20> PROP;
    runtime::text::Fixed<60> SETTING;
    runtime::text::Fixed<80> TEXT; // the control's text; never stored
};
static_assert(sizeof(SettingsRow) == 180);

// Rows in the order they were first set; one row per control and property.
class SettingsList {
public:
    // Adds the row, or replaces the value and text of the row with the same
    // control name and property, which keeps its place.
    void put(std::string_view controlName, std::string_view property, std::string_view value,
             std::string_view text = {});
    // The row for a control and property; nullptr when there is none.
    const SettingsRow* find(std::string_view controlName, std::string_view property) const;
    void clear() { rows_.clear(); }

    size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }
    const SettingsRow& operator[](size_t index) const { return rows_[index]; }
    std::vector<SettingsRow>::const_iterator begin() const { return rows_.begin(); }
    std::vector<SettingsRow>::const_iterator end() const { return rows_.end(); }

private:
    std::vector<SettingsRow> rows_;
};

// The most characters the stored form may take (the size of its field in the
// tip record).
inline constexpr size_t MaxStoredSettings = 10000;

// Empties `list` and reads the stored form into it. Rows with a blank value
// are skipped; anything that is not the stored form reads as some rows or
// none, never as an error.
void loadSettings(std::string_view stored, SettingsList& list);

// The stored form of `list`. Rows that would not fit in MaxStoredSettings
// characters are left out whole, so that no row is stored cut.
std::string storedSettings(const SettingsList& list);

} // namespace help
