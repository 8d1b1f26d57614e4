// Helpers for tests that parse markup: lines given as they are, and entries
// written as one short line each ("String S  1 [text] @1").
#pragma once

#include <string>
#include <vector>

#include "help/markup/control_list.h"
#include "help/markup/line_source.h"
#include "support/scripted_interaction.h"

namespace markup_testing {

class GivenLines : public help::LineSource {
public:
    explicit GivenLines(std::vector<std::string> lines) : lines_(std::move(lines)) {}
    void settle() override { ++settled; }
    int32_t lineCount() override { return static_cast<int32_t>(lines_.size()); }
    std::string line(int32_t n) override { return lines_.at(static_cast<size_t>(n) - 1); }

    int settled = 0;

private:
    std::vector<std::string> lines_;
};

inline std::string describe(const help::ControlEntry& entry) {
    std::string text = std::string(entry.TYPE.clipped());
    if (!entry.NAME.blank()) {
        text += " " + std::string(entry.NAME.clipped());
    }
    text += " [" + entry.TEXT + "] @" + std::to_string(entry.LINE);
    if (!entry.SHORTNAME.blank()) {
        text += " as [" + std::string(entry.SHORTNAME.clipped()) + "]";
    }
    return text;
}

inline std::vector<std::string> describe(const help::ControlList& list) {
    std::vector<std::string> lines;
    for (const help::ControlEntry& entry : list) {
        lines.push_back(describe(entry));
    }
    return lines;
}

// The line numbers the parser reported tags as not completed on.
inline std::vector<int32_t> reportedLines(const testing_support::ScriptedInteraction& boxes) {
    std::vector<int32_t> lines;
    const std::string prefix = "Control not completed|Line:";
    for (const runtime::MessageRequest& box : boxes.messages()) {
        if (box.text.rfind(prefix, 0) == 0) {
            lines.push_back(std::stoi(box.text.substr(prefix.size())));
        }
    }
    return lines;
}

} // namespace markup_testing
