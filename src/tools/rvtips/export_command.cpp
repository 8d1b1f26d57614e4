// rvtips export TIPFILE
// Writes every tip of the file to standard output in the text form that
// import reads back (help/store/tip_text_form.h), in procedure-name order, so
// that the tips can be kept in version control.
#include <ostream>

#include "command.h"
#include "help/store/tip_text_form.h"
#include "tip_file_session.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

namespace {

using namespace rvtips;

int run(const Arguments& arguments, std::ostream& out, std::ostream& err);
const Command Export = {"export", "TIPFILE",
                        "write every tip as text (for version control) to standard output", run};
const bool added = addCommand(Export);

int run(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.size() != 1) {
        return usageError(Export, "expected one tip file", err);
    }
    StoreSession session;
    const std::string& path = arguments[0];
    std::vector<help::StoredTip> tips;
    if (!usableTipFile(path, err) || !help::readStoredTips(path, tips)) {
        return exit_code::FileError;
    }
#if defined(_WIN32)
    // The same bytes on every system: no CR added before each LF.
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    out << help::exportTips(tips, "tips of " + path + ", written by rvtips export") << std::flush;
    return exit_code::Done;
}

} // namespace
