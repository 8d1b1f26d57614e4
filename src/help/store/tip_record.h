// The tip file's records: the current layout (the RVH view, and the LIN view
// under a second name) with its three memos, and the old fixed-length layout
// (the RVG view) that is only read to upgrade a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/text/fields.h"

namespace help {

using runtime::text::Fixed;

inline constexpr size_t HelpTipSize = 10000;
inline constexpr size_t SettingsSize = 10000;
inline constexpr size_t OtherSize = 1000;

// The record of the RVH and LIN views.
struct TipRecord {
    Fixed<50> PROCEDURENAME; // blank: the tip applies in every procedure
    Fixed<50> CONTROLNAME;   // blank: a default for the control type
    Fixed<20> CONTROLTYPE;
    runtime::text::Long LASTEDITDATE; // day number of the last save
    runtime::text::Byte READONLY = 0;
    runtime::text::Byte ARCHIVE = 0;
    runtime::text::Byte TIPSTYLE = 0;
};
static_assert(sizeof(TipRecord) == 127);

// A tip as a window holds it: the record and its memos, each a fixed-length
// text like every other field, so text longer than a memo is cut rather than
// overrunning it, and expressions can read the memos by name.
struct Tip : TipRecord {
    Fixed<HelpTipSize> HELPTIP;   // the tip in tip markup
    Fixed<SettingsSize> SETTINGS; // its formatting settings
    Fixed<OtherSize> OTHER;       // bytes 1-2: the tip width in pixels; the rest unused
};
static_assert(sizeof(Tip) == sizeof(TipRecord) + HelpTipSize + SettingsSize + OtherSize);

// The record of the old layout (no memos).
struct OldTipRecord {
    Fixed<50> PROCEDURENAME;
    Fixed<50> CONTROLNAME;
    Fixed<20> CONTROLTYPE;
    Fixed<900> HELPTIP;
    Fixed<1500> SETTINGS;
};
static_assert(sizeof(OldTipRecord) == 2520);

// The key a tip is asked for by.
struct TipKey {
    Fixed<50> procedure;
    Fixed<50> control;
    Fixed<20> type;
};

TipKey tipKey(std::string_view procedure, std::string_view control, std::string_view type);
TipKey keyOf(const TipRecord& record);
void setKey(TipRecord& record, const TipKey& key);

// Blanks the names and the memos, zeroes the date and the flags.
void clearTip(Tip& tip);

// The width stored in OTHER's first two bytes (a signed 16-bit number,
// little-endian). A blank OTHER reads as 0x2020; callers decide which widths
// they trust.
int16_t tipWidth(const Tip& tip);
void setTipWidth(Tip& tip, int16_t width);

// A memo's content as it is stored: the fixed-length text without its padding
// spaces. NULs are kept, so a width whose high byte is 0 survives.
std::string_view memoText(std::string_view fixedText);

} // namespace help
