// rvtips import TIPFILE TEXTFILE [--layout old]
// Builds the tip file anew from the text form that export writes. With
// "--layout old" the file gets the old fixed-length layout, which keeps only
// the names, 900 bytes of text and 1500 of settings: a file to try the upgrade
// on.
#include <ostream>

#include "command.h"
#include "help/store/tip_text_form.h"
#include "tip_file_session.h"

namespace {

using namespace rvtips;

constexpr size_t OldTextSize = 900;
constexpr size_t OldSettingsSize = 1500;

int run(const Arguments& arguments, std::ostream& out, std::ostream& err);
const Command Import = {"import", "TIPFILE TEXTFILE [--layout old]",
                        "build a tip file from the text that export writes", run};
const bool added = addCommand(Import);

int run(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> files;
    bool oldLayout = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--layout") {
            if (i + 1 >= arguments.size() || arguments[i + 1] != "old") {
                return usageError(Import, "the only other layout is 'old'", err);
            }
            oldLayout = true;
            ++i;
        } else if (arguments[i].starts_with("--")) {
            return usageError(Import, "unknown option '" + arguments[i] + "'", err);
        } else {
            files.push_back(arguments[i]);
        }
    }
    if (files.size() != 2) {
        return usageError(Import, "expected a tip file and a text file", err);
    }
    StoreSession session;
    std::string text;
    if (!readWholeFile(files[1], text, err)) {
        return exit_code::FileError;
    }
    std::vector<help::StoredTip> tips;
    if (std::string problem = help::importTips(text, tips); !problem.empty()) {
        err << "rvtips import: " << files[1] << ", " << problem << '\n';
        return exit_code::FileError;
    }
    for (const help::StoredTip& tip : tips) {
        if (oldLayout && (tip.helpTip.size() > OldTextSize || tip.settings.size() > OldSettingsSize)) {
            err << "rvtips import: the old layout cuts the tip " << tip.record.PROCEDURENAME.clipped() << " "
                << tip.record.CONTROLNAME.clipped() << " " << tip.record.CONTROLTYPE.clipped() << '\n';
        }
    }
    if (!help::writeStoredTips(files[0], tips, oldLayout)) {
        return fileError(files[0]);
    }
    out << "imported " << tips.size() << " tips into " << files[0] << '\n';
    return exit_code::Done;
}

} // namespace
