// rvtips verify TIPFILE
// Checks that every key agrees with the records and that every record and its
// memos can be read; exit code 0 when the file is sound.
#include <ostream>

#include "command.h"
#include "help/file_errors/file_error_report.h"
#include "help/store/stored_tips.h"
#include "runtime/sys/errors.h"
#include "tip_file_session.h"

namespace {

using namespace rvtips;

int run(const Arguments& arguments, std::ostream& out, std::ostream& err);
const Command Verify = {"verify", "TIPFILE", "check a tip file's keys and records", run};
const bool added = addCommand(Verify);

int run(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.size() != 1) {
        return usageError(Verify, "expected one tip file", err);
    }
    StoreSession session;
    const std::string& path = arguments[0];
    uint64_t tips = 0;
    if (!help::verifyStoredTips(path, tips)) {
        // A file that is missing or of another layout is not a damaged one.
        const int32_t code = runtime::errorcode();
        if (code == runtime::err::FileNotFound || code == runtime::err::PathNotFound ||
            code == runtime::err::InvalidDeclaration) {
            usableTipFile(path, err);
            return exit_code::FileError;
        }
        err << "rvtips verify: " << path << " is not sound: " << help::currentErrorText() << '\n';
        return exit_code::FileError;
    }
    out << path << ": " << tips << " tips, keys and records sound\n";
    return exit_code::Done;
}

} // namespace
