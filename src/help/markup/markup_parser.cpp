#include "help/markup/markup_parser.h"

#include <algorithm>
#include <string>
#include <vector>

#include "runtime/sys/interaction.h"
#include "runtime/text/strings.h"

namespace help {
namespace {

using runtime::text::upper;

constexpr size_t MaxMarkerName = 4;
constexpr size_t MaxLinkText = 80;
constexpr size_t MaxAlias = 100;
// "<LNK=" comes before a tip link's text.
constexpr size_t TipLinkPrefix = 5;

std::string counted(std::string_view prefix, int32_t counter) {
    return std::string(prefix) + std::to_string(counter);
}

std::string stringName(int32_t counter) {
    std::string number = std::to_string(counter);
    return "S" + std::string(number.size() < 3 ? 3 - number.size() : 0, ' ') + number;
}

bool isRule(std::string_view line) {
    return runtime::text::instring("<HR>", upper(line), 4, 1) != 0;
}

// Whether a line closes a tag wrapped from a line above: a ">" with no "<"
// before it.
bool closesTag(std::string_view line) {
    size_t close = line.find('>');
    return close != std::string_view::npos && line.substr(0, close).find('<') == std::string_view::npos;
}

class Parser {
public:
    Parser(LineSource& lines, ControlList& list) : lines_(lines), list_(list) {}

    void run() {
        list_.clear();
        lines_.settle();
        count_ = lines_.lineCount();
        for (n_ = 1; n_ <= count_; ++n_) {
            std::string text = lineText(n_);
            if (isRule(text)) {
                list_.add(entry_kind::Line, {}, {}, n_);
            } else if (runtime::text::isBlank(text)) {
                list_.add(entry_kind::String, {}, {}, n_);
            } else {
                readLine(std::move(text));
            }
        }
    }

private:
    struct Joined {
        size_t start;
        int32_t line;
    };

    std::string lineText(int32_t n) {
        std::string text = lines_.line(n);
        text.resize(std::min(text.size(), MaxLineText));
        return text;
    }

    void readLine(std::string text) {
        line_ = std::move(text);
        end_ = runtime::text::clip(line_).size();
        joined_ = {{0, n_}};
        run_.clear();
        size_t i = 0;
        while (i < end()) {
            char c = line_[i];
            if (c == '|') {
                addRun(i);
                ++i;
            } else if (c == '<' && at(i + 1) == '<') {
                appendToRun('<', i);
                i += 2;
            } else if (c == '<') {
                if (!runtime::text::isBlank(run_)) {
                    addRun(i);
                }
                run_.clear();
                i = readTag(i);
            } else {
                appendToRun(c, i);
                ++i;
            }
        }
        if (!runtime::text::isBlank(run_)) {
            addRun(end());
        }
    }

    // Reads the tag whose "<" is at `open`; returns where reading goes on.
    size_t readTag(size_t open) {
        char first = upper(at(open + 1));
        if (first == 'B') {
            return readMarker(open, entry_kind::Button);
        }
        if (first == 'T') {
            return readMarker(open, entry_kind::Bullet);
        }
        if (line_.find('>', open + 1) == std::string::npos) {
            joinWrappedTag();
        }
        first = upper(at(open + 1));
        if (first == 'H' || first == 'W' || first == 'F' || first == '#' || first == 'S' ||
            at(open + 2) == ':' || upper(tagContent(open)).find(".CHM") != std::string::npos) {
            return readHyperlink(open);
        }
        if (first == 'L') {
            return readTipLink(open);
        }
        return open + 1;
    }

    size_t readMarker(size_t open, std::string_view kind) {
        std::string name;
        size_t i = open + 1;
        while (i < end() && line_[i] != '>' && name.size() < MaxMarkerName) {
            name.push_back(upper(line_[i++]));
        }
        if (at(i) != '>') {
            return notCompleted(open);
        }
        list_.add(kind, name, {}, lineOf(open));
        return i + 1;
    }

    size_t readHyperlink(size_t open) {
        std::string alias;
        size_t target = open + 1;
        size_t close = line_.find('>', open + 1);
        if (upper(at(open + 1)) == 'S' && at(open + 2) == '"') {
            size_t quote = line_.find('"', open + 3);
            if (quote != std::string::npos && quote < close) {
                alias = line_.substr(open + 3, std::min(quote - open - 3, MaxAlias));
                target = quote + 1;
            }
        }
        if (close == std::string::npos || close >= end() || close - target > MaxLinkText) {
            return notCompleted(open);
        }
        std::string link = line_.substr(target, close - target);
        list_.add(entry_kind::Http, counted("HTTP", links_++), link, lineOf(open), alias);
        list_.add(entry_kind::Region, counted("Region", regions_++), link, lineOf(open), alias);
        return close + 1;
    }

    size_t readTipLink(size_t open) {
        size_t close = line_.find('>', open + 1);
        size_t text = open + TipLinkPrefix;
        if (close == std::string::npos || close >= end() || (close > text && close - text > MaxLinkText)) {
            return notCompleted(open);
        }
        std::string link = close > text ? line_.substr(text, close - text) : std::string();
        list_.add(entry_kind::Lnk, counted("LNK", tipLinks_++), link, lineOf(open));
        list_.add(entry_kind::Region, counted("Region", regions_++), link, lineOf(open));
        return close + 1;
    }

    size_t notCompleted(size_t open) {
        runtime::message("Control not completed|Line:" + std::to_string(lineOf(open)),
                         "Ruvo - Control Formatting", runtime::Icon::Exclamation, runtime::button::Ok);
        return open + 1;
    }

    void joinWrappedTag() {
        if (n_ + 1 > count_) {
            return;
        }
        std::string next = lineText(n_ + 1);
        if (next.find('>') != std::string::npos) {
            if (closesTag(next)) {
                append(std::move(next));
            }
            return;
        }
        if (n_ + 2 > count_) {
            return;
        }
        std::string after = lineText(n_ + 2);
        if (closesTag(after)) {
            append(std::move(next));
            append(std::move(after));
        }
    }

    void append(std::string next) {
        ++n_;
        joined_.push_back({line_.size(), n_});
        line_ += next;
        end_ = runtime::text::clip(line_).size();
    }

    // The tag's characters after its "<", up to its ">" or the line's end.
    std::string_view tagContent(size_t open) const {
        std::string_view rest = std::string_view(line_).substr(0, end()).substr(open + 1);
        return rest.substr(0, rest.find('>'));
    }

    void appendToRun(char c, size_t at) {
        if (run_.empty()) {
            runStart_ = at;
        }
        run_.push_back(c);
    }

    // Adds the pending run as a String entry; an empty run belongs to the
    // line of the character that ended it.
    void addRun(size_t endedAt) {
        list_.add(entry_kind::String, stringName(strings_++), run_,
                  lineOf(run_.empty() ? endedAt : runStart_));
        run_.clear();
    }

    int32_t lineOf(size_t position) const {
        int32_t line = joined_.front().line;
        for (const Joined& j : joined_) {
            if (j.start <= position) {
                line = j.line;
            }
        }
        return line;
    }

    // Reading stops at the line's last non-blank character.
    size_t end() const { return end_; }
    char at(size_t i) const { return i < end() ? line_[i] : '\0'; }

    LineSource& lines_;
    ControlList& list_;
    int32_t strings_ = 1;
    int32_t links_ = 1;
    int32_t tipLinks_ = 1;
    int32_t regions_ = 1;
    int32_t n_ = 1;
    int32_t count_ = 0;
    std::string line_;
    size_t end_ = 0;
    std::vector<Joined> joined_;
    std::string run_;
    size_t runStart_ = 0;
};

} // namespace

void parseMarkup(LineSource& lines, ControlList& list) {
    Parser(lines, list).run();
}

} // namespace help
