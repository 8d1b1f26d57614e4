#include "help/markup/control_list.h"

#include "runtime/text/strings.h"

namespace help {

const ControlEntry& ControlList::add(std::string_view kind, std::string_view name, std::string_view text,
                                     int32_t line, std::string_view shortName) {
    ControlEntry& entry = entries_.emplace_back();
    entry.NAME = name;
    entry.TYPE = kind;
    entry.TEXT = runtime::text::clip(text.substr(0, ControlEntry::MaxText));
    entry.CONTROLNUMBER = static_cast<int32_t>(entries_.size());
    entry.LINE = line;
    entry.SHORTNAME = shortName;
    return entry;
}

std::string withoutSpaces(std::string_view linkText) {
    std::string name;
    for (char c : linkText.substr(0, 60)) {
        if (c != ' ' && name.size() < 50) {
            name.push_back(c);
        }
    }
    return name;
}

} // namespace help
