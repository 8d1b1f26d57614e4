#include "help/store/tip_text_form.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <set>

#include "runtime/text/dates.h"

namespace help {
namespace {

constexpr std::string_view LineBreak = "\r\n";

// ---- writing

bool isControl(unsigned char c) {
    return (c < 0x20 && c != '\t') || c == 0x7F;
}

std::string hexEscape(unsigned char c) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\x%02X", c);
    return buffer;
}

// One line's bytes with the escapes described in the header.
std::string escape(std::string_view bytes) {
    std::vector<std::string> pieces; // each byte as written
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        const bool last = i + 1 == bytes.size();
        if (c == '\r') {
            pieces.emplace_back("\\r");
        } else if (c == '\n') {
            pieces.emplace_back("\\n");
        } else if (isControl(c) || (last && (c == ' ' || c == '\t'))) {
            pieces.push_back(hexEscape(c));
        } else {
            pieces.emplace_back(1, static_cast<char>(c));
        }
    }
    std::string out;
    for (size_t i = 0; i < pieces.size(); ++i) {
        out += pieces[i];
        if (pieces[i] == "\\") {
            const char next = i + 1 < pieces.size() ? pieces[i + 1][0] : '\\';
            if (next == '\\' || next == 'r' || next == 'n' || next == 'x') {
                out += '\\';
            }
        }
    }
    return out;
}

std::string_view withoutPadding(std::string_view name) {
    size_t end = name.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view{} : name.substr(0, end + 1);
}

std::string dateText(int32_t day) {
    if (day == runtime::text::NoDate) {
        return "none";
    }
    if (auto date = runtime::text::civilDate(day)) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date->year, date->month, date->day);
        return buffer;
    }
    return std::to_string(day);
}

void writeBlock(std::string& out, std::string_view name, std::string_view text) {
    out.append(name).append(":\n");
    size_t start = 0;
    for (;;) {
        size_t end = text.find(LineBreak, start);
        out.append("|").append(escape(text.substr(start, end - start))).append("\n");
        if (end == std::string_view::npos) {
            break;
        }
        start = end + LineBreak.size();
    }
}

// A blank name leaves nothing after the colon, not even the space.
void writeName(std::string& out, std::string_view label, std::string_view name) {
    const std::string value = escape(withoutPadding(name));
    out.append(label).append(value.empty() ? ":" : ": ").append(value).append("\n");
}

void writeTip(std::string& out, const StoredTip& tip) {
    const TipRecord& r = tip.record;
    out += "\ntip\n";
    writeName(out, "procedure", r.PROCEDURENAME.view());
    writeName(out, "control", r.CONTROLNAME.view());
    writeName(out, "type", r.CONTROLTYPE.view());
    out.append("date: ").append(dateText(r.LASTEDITDATE)).append("\n");
    out.append("read-only: ").append(std::to_string(r.READONLY)).append("\n");
    out.append("archive: ").append(std::to_string(r.ARCHIVE)).append("\n");
    out.append("style: ").append(std::to_string(r.TIPSTYLE)).append("\n");
    std::string_view rest = tip.other;
    if (tip.other.size() >= 2) {
        runtime::text::Short width;
        width.bytes = {static_cast<unsigned char>(tip.other[0]), static_cast<unsigned char>(tip.other[1])};
        out.append("width: ").append(std::to_string(width.get())).append("\n");
        rest.remove_prefix(2);
    } else {
        out.append("width: none\n");
    }
    if (!rest.empty()) {
        out.append("other: ").append(escape(rest)).append("\n");
    }
    writeBlock(out, "text", tip.helpTip);
    writeBlock(out, "settings", tip.settings);
}

// ---- reading

std::optional<int> hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return std::nullopt;
}

// The byte of a "\xHH" starting at s[at], when that is what stands there.
std::optional<char> hexEscapeAt(std::string_view s, size_t at) {
    if (at + 3 >= s.size() || s[at + 1] != 'x') {
        return std::nullopt;
    }
    auto high = hexDigit(s[at + 2]);
    auto low = hexDigit(s[at + 3]);
    if (!high || !low) {
        return std::nullopt;
    }
    return static_cast<char>(*high * 16 + *low);
}

std::string unescape(std::string_view s) {
    std::string out;
    for (size_t i = 0; i < s.size();) {
        const char next = i + 1 < s.size() ? s[i + 1] : '\0';
        if (s[i] != '\\') {
            out += s[i++];
        } else if (next == '\\' || next == 'r' || next == 'n') {
            out += next == 'r' ? '\r' : next == 'n' ? '\n' : '\\';
            i += 2;
        } else if (auto byte = hexEscapeAt(s, i)) {
            out += *byte;
            i += 4;
        } else {
            out += s[i++];
        }
    }
    return out;
}

template <typename Number>
bool parseNumber(std::string_view s, Number& value) {
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return ec == std::errc() && end == s.data() + s.size() && !s.empty();
}

bool parseDate(std::string_view s, int32_t& day) {
    if (s == "none") {
        day = runtime::text::NoDate;
        return true;
    }
    int year = 0, month = 0, dayOfMonth = 0;
    if (s.size() == 10 && s[4] == '-' && s[7] == '-' && parseNumber(s.substr(0, 4), year) &&
        parseNumber(s.substr(5, 2), month) && parseNumber(s.substr(8, 2), dayOfMonth)) {
        auto number = runtime::text::dayNumber(year, month, dayOfMonth);
        day = number.value_or(0);
        return number.has_value();
    }
    return parseNumber(s, day);
}

class Reader {
public:
    explicit Reader(std::vector<StoredTip>& tips) : tips_(tips) {}

    // Empty when the line was taken, else what is wrong with it.
    std::string line(std::string_view text);
    std::string finish() { return endTip(); }

private:
    std::string field(std::string_view name, std::string_view value);
    std::string name(std::string_view label, std::string_view value, char* field, size_t width);
    std::string flag(std::string_view value, uint8_t& flag);
    std::string endBlock();
    std::string endTip();

    std::vector<StoredTip>& tips_;
    bool inTip_ = false;
    StoredTip tip_;
    std::set<std::string, std::less<>> seen_;
    std::optional<int16_t> width_;
    std::string rest_;
    std::string* block_ = nullptr;
    std::vector<std::string> lines_;
};

std::string Reader::line(std::string_view text) {
    if (!text.empty() && text[0] == '|') {
        if (block_ == nullptr) {
            return "a '|' line outside a text: or settings: block";
        }
        lines_.push_back(unescape(text.substr(1)));
        return {};
    }
    if (std::string problem = endBlock(); !problem.empty()) {
        return problem;
    }
    if (text.find_first_not_of(" \t") == std::string_view::npos || text[0] == '#') {
        return {};
    }
    if (text == "tip") {
        std::string problem = endTip();
        inTip_ = true;
        return problem;
    }
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        return "expected 'tip' or 'field: value', found '" + std::string(text) + "'";
    }
    if (!inTip_) {
        return "a field before the first 'tip' line";
    }
    std::string_view value = text.substr(colon + 1);
    if (!value.empty() && value[0] == ' ') {
        value.remove_prefix(1);
    }
    const std::string_view label = text.substr(0, colon);
    if (!seen_.insert(std::string(label)).second) {
        return "'" + std::string(label) + "' given twice in one tip";
    }
    return field(label, value);
}

std::string Reader::field(std::string_view label, std::string_view value) {
    TipRecord& r = tip_.record;
    if (label == "procedure") {
        return name(label, value, r.PROCEDURENAME.bytes.data(), r.PROCEDURENAME.size());
    }
    if (label == "control") {
        return name(label, value, r.CONTROLNAME.bytes.data(), r.CONTROLNAME.size());
    }
    if (label == "type") {
        return name(label, value, r.CONTROLTYPE.bytes.data(), r.CONTROLTYPE.size());
    }
    if (label == "date") {
        int32_t day = 0;
        if (!parseDate(value, day)) {
            return "date '" + std::string(value) + "' is not yyyy-mm-dd, none or a day number";
        }
        r.LASTEDITDATE = day;
        return {};
    }
    if (label == "read-only") {
        return flag(value, r.READONLY);
    }
    if (label == "archive") {
        return flag(value, r.ARCHIVE);
    }
    if (label == "style") {
        return flag(value, r.TIPSTYLE);
    }
    if (label == "width") {
        int16_t width = 0;
        if (value == "none") {
            width_.reset();
        } else if (parseNumber(value, width)) {
            width_ = width;
        } else {
            return "width '" + std::string(value) + "' is not a number from -32768 to 32767 or none";
        }
        return {};
    }
    if (label == "other") {
        rest_ = unescape(value);
        return {};
    }
    if (label == "text" || label == "settings") {
        if (!value.empty()) {
            return "the " + std::string(label) + " follows on '|' lines, not after the ':'";
        }
        block_ = label == "text" ? &tip_.helpTip : &tip_.settings;
        return {};
    }
    return "unknown field '" + std::string(label) + "'";
}

std::string Reader::name(std::string_view label, std::string_view value, char* field, size_t width) {
    std::string bytes = unescape(value);
    if (bytes.size() > width) {
        return std::string(label) + " is longer than " + std::to_string(width) + " characters";
    }
    runtime::text::assignFixed(field, width, bytes);
    return {};
}

std::string Reader::flag(std::string_view value, uint8_t& flag) {
    if (!parseNumber(value, flag)) {
        return "flag '" + std::string(value) + "' is not a number from 0 to 255";
    }
    return {};
}

std::string Reader::endBlock() {
    if (block_ == nullptr) {
        return {};
    }
    std::string joined;
    for (size_t i = 0; i < lines_.size(); ++i) {
        joined += i == 0 ? "" : LineBreak;
        joined += lines_[i];
    }
    const bool isText = block_ == &tip_.helpTip;
    *block_ = std::move(joined);
    block_ = nullptr;
    lines_.clear();
    const size_t limit = isText ? HelpTipSize : SettingsSize;
    if ((isText ? tip_.helpTip : tip_.settings).size() > limit) {
        return std::string(isText ? "the text" : "the settings") + " is longer than " +
               std::to_string(limit) + " bytes";
    }
    return {};
}

std::string Reader::endTip() {
    if (std::string problem = endBlock(); !problem.empty() || !inTip_) {
        return problem;
    }
    if (width_) {
        runtime::text::Short width(*width_);
        tip_.other.assign(reinterpret_cast<const char*>(width.bytes.data()), width.bytes.size());
    }
    tip_.other += rest_;
    if (tip_.other.size() > OtherSize) {
        return "width and other hold more than " + std::to_string(OtherSize) + " bytes";
    }
    tips_.push_back(std::move(tip_));
    tip_ = StoredTip{};
    seen_.clear();
    width_.reset();
    rest_.clear();
    inTip_ = false;
    return {};
}

} // namespace

std::string exportTips(const std::vector<StoredTip>& tips, std::string_view title) {
    std::string out = "# " + std::string(title) + "\n";
    for (const StoredTip& tip : tips) {
        writeTip(out, tip);
    }
    return out;
}

std::string importTips(std::string_view text, std::vector<StoredTip>& tips) {
    tips.clear();
    Reader reader(tips);
    size_t number = 0;
    size_t start = 0;
    std::string problem;
    while (problem.empty() && start < text.size()) {
        size_t end = text.find('\n', start);
        std::string_view line = text.substr(start, end == std::string_view::npos ? end : end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        ++number;
        problem = reader.line(line);
        start = end == std::string_view::npos ? text.size() : end + 1;
    }
    if (problem.empty()) {
        problem = reader.finish();
    }
    if (!problem.empty()) {
        tips.clear();
        return "line " + std::to_string(number) + ": " + problem;
    }
    return {};
}

} // namespace help
