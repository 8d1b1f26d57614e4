// rvtips list TIPFILE
// One line per tip, in the order of the procedure-name key (the type defaults,
// whose names are blank, first): procedure, control, type, date of the last
// edit and the length of the text in bytes, separated by tabs.
#include <ostream>

#include "command.h"
#include "help/store/stored_tips.h"
#include "tip_file_session.h"

namespace {

using namespace rvtips;

int run(const Arguments& arguments, std::ostream& out, std::ostream& err);
const Command List = {"list", "TIPFILE", "list the tips of a tip file in procedure-name order", run};
const bool added = addCommand(List);

int run(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.size() != 1) {
        return usageError(List, "expected one tip file", err);
    }
    StoreSession session;
    const std::string& path = arguments[0];
    std::vector<help::StoredTip> tips;
    if (!usableTipFile(path, err) || !help::readStoredTips(path, tips)) {
        return exit_code::FileError;
    }
    for (const help::StoredTip& tip : tips) {
        const help::TipRecord& r = tip.record;
        out << r.PROCEDURENAME.clipped() << '\t' << r.CONTROLNAME.clipped() << '\t' << r.CONTROLTYPE.clipped()
            << '\t' << dateText(r.LASTEDITDATE) << '\t' << tip.helpTip.size() << '\n';
    }
    return exit_code::Done;
}

} // namespace
