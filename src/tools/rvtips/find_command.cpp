// rvtips find TIPFILE PROCEDURE CONTROL TYPE
// Looks a tip up as the tip window does (procedure tip, control tip, type
// default) and prints which kind was found, then its text, one line for each
// of its lines; the no-help text when there is none (exit code 1).
#include <memory>
#include <ostream>

#include "command.h"
#include "help/store/store_state.h"
#include "help/store/tip_store.h"
#include "runtime/text/strings.h"
#include "tip_file_session.h"

namespace {

using namespace rvtips;

constexpr std::string_view DefaultNoHelpText = "No Help for This Topic";

int run(const Arguments& arguments, std::ostream& out, std::ostream& err);
const Command Find = {"find", "TIPFILE PROCEDURE CONTROL TYPE",
                      "find the tip the tip window would show for a control", run};
const bool added = addCommand(Find);

int run(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.size() != 4) {
        return usageError(Find, "expected a tip file, a procedure, a control and a type", err);
    }
    StoreSession session;
    const std::string& path = arguments[0];
    if (!usableTipFile(path, err)) {
        return exit_code::FileError;
    }
    if (help::noHelpText().blank()) {
        help::setNoHelpText(DefaultNoHelpText);
    }
    help::setTipFileName(path);
    if (!help::openTipStore()) {
        return exit_code::FileError;
    }
    auto loaded = std::make_unique<help::LoadedTip>();
    const help::TipKind kind = help::findTip(help::tipKey(arguments[1], arguments[2], arguments[3]), *loaded);
    help::closeTipStore();
    // The text's lines as lines of the console, on every system.
    const std::string text =
        runtime::text::replaceAll(help::memoText(loaded->RVH.HELPTIP.view()), "\r\n", "\n");
    out << help::tipKindName(kind) << '\n' << text << '\n';
    return kind == help::TipKind::None ? exit_code::NotFound : exit_code::Done;
}

} // namespace
