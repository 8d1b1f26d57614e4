// rvtips parse [--width PIXELS] TEXTFILE
// Lays a tip's text out as the tip window's text box would at that wrap width
// and prints the control list the markup parser makes of it, one entry a line:
// position, name, kind, line, text and alias, separated by tabs. Control
// characters in texts are written as \xHH. Markup errors go to standard error.
#include <charconv>
#include <fstream>
#include <iterator>
#include <ostream>

#include "command.h"
#include "help/markup/markup_parser.h"
#include "help/markup/text_box_layout.h"

namespace {

using namespace rvtips;

constexpr int32_t DefaultWidth = 160;
constexpr int32_t WidestBox = 100000;

std::string escaped(std::string_view text) {
    std::string out;
    for (char ch : text) {
        auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F) {
            constexpr char Hex[] = "0123456789ABCDEF";
            out += "\\x";
            out.push_back(Hex[c >> 4]);
            out.push_back(Hex[c & 0xF]);
        } else {
            out.push_back(ch);
        }
    }
    return out;
}

// Text files from other systems end their lines with LF alone; a tip's text
// ends them with CR LF, as its editor writes them.
std::string withCrLf(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            result.push_back('\r');
        }
        result.push_back(text[i]);
    }
    return result;
}

bool parseWidth(std::string_view text, int32_t& width) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), width);
    return error == std::errc() && end == text.data() + text.size() && width >= 0 && width <= WidestBox;
}

int usageError(std::ostream& err, const std::string& problem);

int run(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    int32_t width = DefaultWidth;
    std::string file;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--width" || argument.starts_with("--width=")) {
            std::string value =
                argument == "--width" ? (i + 1 < arguments.size() ? arguments[++i] : "") : argument.substr(8);
            if (!parseWidth(value, width)) {
                return usageError(err, "the width must be a number of pixels from 0 to 100000");
            }
        } else if (argument.starts_with("--") || !file.empty()) {
            return usageError(err, "unexpected argument '" + argument + "'");
        } else {
            file = argument;
        }
    }
    if (file.empty()) {
        return usageError(err, "no text file given");
    }
    std::ifstream in(file, std::ios::binary);
    std::string text(std::istreambuf_iterator<char>(in), {});
    if (!in.good() && !in.eof()) {
        err << "rvtips: cannot read '" << file << "'\n";
        return exit_code::FileError;
    }
    help::EmulatedTextBox box(withCrLf(text), width);
    help::ControlList list;
    help::parseMarkup(box, list);
    for (const help::ControlEntry& entry : list) {
        out << entry.CONTROLNUMBER << '\t' << entry.NAME.clipped() << '\t' << entry.TYPE.clipped() << '\t'
            << entry.LINE << '\t' << escaped(entry.TEXT) << '\t' << escaped(entry.SHORTNAME.clipped())
            << '\n';
    }
    return exit_code::Done;
}

const Command Parse = {"parse", "[--width PIXELS] TEXTFILE",
                       "lay out a tip's text at a wrap width (160) and print its control list", run};
const bool added = addCommand(Parse);

int usageError(std::ostream& err, const std::string& problem) {
    err << "rvtips parse: " << problem << '\n';
    printUsage(Parse, err);
    return exit_code::Usage;
}

} // namespace
