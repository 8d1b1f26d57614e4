#include "help/tipwindow/tip_settings.h"

#include <charconv>
#include <optional>

#include "runtime/text/strings.h"

namespace help {
namespace {

using runtime::text::clip;
using runtime::text::trim;
using runtime::text::trimLeft;

constexpr size_t MaxTypeface = 40;
constexpr size_t MaxNumberText = 10;

std::optional<int32_t> wholeNumber(std::string_view text) {
    text = trim(text);
    int32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// The number a text starts with, as the runtime converts text to numbers:
// leading blanks skipped, digits up to the first other character, 0 for none.
int32_t leadingNumber(std::string_view text) {
    text = trimLeft(text.substr(0, MaxNumberText));
    int32_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string_view part(std::string_view text, size_t index, char separator) {
    for (size_t i = 0; i < index; ++i) {
        size_t at = text.find(separator);
        if (at == std::string_view::npos) {
            return {};
        }
        text.remove_prefix(at + 1);
    }
    return text.substr(0, text.find(separator));
}

bool quoted(std::string_view text) {
    return text.size() >= 2 && text.front() == '"' && text.back() == '"';
}

} // namespace

runtime::FontSpec fontSetting(std::string_view value) {
    runtime::FontSpec font{"", 0, UnsetColour, 0};
    font.typeface = std::string(trim(part(value, 0, ',').substr(0, MaxTypeface)));
    if (std::optional<int32_t> size = wholeNumber(part(value, 1, ',')); size && *size > 0) {
        font.size = *size;
    }
    if (std::optional<int32_t> colour = wholeNumber(part(value, 2, ',')); colour && *colour >= 0) {
        font.colour = *colour;
    }
    if (std::optional<int32_t> style = wholeNumber(part(value, 3, ',')); style && *style > 0) {
        font.style = *style;
    }
    return font;
}

runtime::FontSpec fontOf(const SettingsList& settings, std::string_view name) {
    const SettingsRow* row = clip(name).empty() ? nullptr : settings.find(name, setting::Font);
    return row == nullptr ? runtime::FontSpec{"", 0, UnsetColour, 0} : fontSetting(row->SETTING.clipped());
}

std::string tooltipOf(const SettingsList& settings, std::string_view name) {
    const SettingsRow* row = clip(name).empty() ? nullptr : settings.find(name, setting::Tooltip);
    if (row == nullptr || row->SETTING.blank()) {
        return std::string(DefaultTooltip);
    }
    return std::string(row->SETTING.clipped());
}

// The parameters run to the end of the value: the 60 characters a value
// holds are all the room a command line or a help file name has, and a cut
// one would start another program or file than the one set.
ButtonCall buttonCall(std::string_view value) {
    value = clip(value);
    ButtonCall call;
    std::string type = runtime::text::upper(value.substr(0, 3));
    std::string_view parameters = value.size() > 3 ? value.substr(3) : std::string_view();
    if (type == "EXE") {
        call.type = ButtonCall::Type::Exe;
        call.commandLine = std::string(clip(parameters));
    } else if (type == "MSG") {
        call.type = ButtonCall::Type::Msg;
        call.event = leadingNumber(part(parameters, 0, ','));
        std::string_view thread = trimLeft(part(parameters, 1, ','));
        call.thread = leadingNumber(thread.substr(0, thread.find(' ')));
    } else if (type == "HLP") {
        call.type = ButtonCall::Type::Hlp;
        call.helpFile = std::string(clip(part(parameters, 0, ',')));
        call.topic = std::string(trim(part(parameters, 1, ',')));
    }
    return call;
}

LinkTarget linkTarget(const ControlEntry& link, const SettingsList& settings) {
    std::string_view name = link.NAME.clipped();
    const SettingsRow* control = settings.find(name, setting::LinkTipCtl);
    if (control == nullptr) {
        return {tipKey("", withoutSpaces(link.TEXT), ""), true};
    }
    const SettingsRow* procedure = settings.find(name, setting::LinkTipProc);
    return {tipKey(procedure == nullptr ? std::string_view() : procedure->SETTING.clipped(),
                   control->SETTING.clipped(), ""),
            false};
}

HelpTopic pendingHelpTopic(std::string_view file, std::string_view topic) {
    HelpTopic help{std::string(trim(file)), std::string(trim(topic)), false};
    if (quoted(help.file)) {
        help.file = help.file.substr(1, help.file.size() - 2);
    }
    if (quoted(help.topic)) {
        help.topic = help.topic.substr(1, help.topic.size() - 2);
        help.showTopic = true;
    }
    return help;
}

} // namespace help
