// The control list of a tip window: one entry for each thing the tip shows,
// in the order the window creates its controls. Entries are made by the
// markup parser (markup_parser.h) and read by the tip window's builder, the
// click dispatcher and the formatter, which keys its settings by entry name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/text/fields.h"

namespace help {

// Entry kinds, as stored in TYPE; readers compare them upper-cased.
namespace entry_kind {
inline constexpr std::string_view Line = "Line";
inline constexpr std::string_view String = "String";
inline constexpr std::string_view Bullet = "BULLET";
inline constexpr std::string_view Button = "BUTTON";
inline constexpr std::string_view Http = "HTTP";
inline constexpr std::string_view Lnk = "LNK";
inline constexpr std::string_view Region = "REGION";
} // namespace entry_kind

struct ControlEntry {
    runtime::text::Fixed<20> NAME;
    runtime::text::Fixed<20> TYPE;
    std::string TEXT;          // at most MaxText characters, no trailing blanks
    int32_t CONTROLNUMBER = 0; // position in the list, from 1
    int32_t LINE = 0;          // text-box line the entry starts on, from 1
    runtime::text::Fixed<100> SHORTNAME;

    static constexpr size_t MaxText = 10000;
};

class ControlList {
public:
    // Appends an entry; text and names are cut to their fields' lengths.
    const ControlEntry& add(std::string_view kind, std::string_view name, std::string_view text, int32_t line,
                            std::string_view shortName = {});
    void clear() { entries_.clear(); }

    size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const ControlEntry& operator[](size_t index) const { return entries_[index]; }
    std::vector<ControlEntry>::const_iterator begin() const { return entries_.begin(); }
    std::vector<ControlEntry>::const_iterator end() const { return entries_.end(); }

private:
    std::vector<ControlEntry> entries_;
};

// A tip link's text made into the control name of the tip it leads to:
// every space removed from its first 60 characters, at most 50 left.
std::string withoutSpaces(std::string_view linkText);

} // namespace help
