// rvtips save TIPFILE PROCEDURE CONTROL TYPE (--text T | --text-file F)
//             [--settings S] [--key PROCEDURE CONTROL TYPE]
// Does what the tip editor's OK does after the tip for the key was loaded:
// optionally gives it a new key, sets its text (and settings) and saves it
// with the tip store's rules. A missing tip file is created and an old one
// converted first, as the tip window would.
#include <memory>
#include <optional>
#include <ostream>

#include "command.h"
#include "help/store/store_state.h"
#include "help/store/tip_store.h"
#include "runtime/sys/interaction.h"
#include "runtime/text/strings.h"
#include "tip_file_session.h"

namespace {

using namespace rvtips;

int run(const Arguments& arguments, std::ostream& out, std::ostream& err);
const Command Save = {"save",
                      "TIPFILE PROCEDURE CONTROL TYPE (--text T | --text-file F) [--settings S]\n"
                      "       [--key PROCEDURE CONTROL TYPE]",
                      "add, change or delete a tip as the tip editor's OK does", run};
const bool added = addCommand(Save);

struct SaveRequest {
    std::string path;
    std::vector<std::string> key;
    std::vector<std::string> newKey;
    std::optional<std::string> text;
    std::optional<std::string> textFile;
    std::optional<std::string> settings;
};

// Empty when the arguments were understood, else what is wrong with them.
std::string parse(const Arguments& arguments, SaveRequest& request) {
    std::vector<std::string> positional;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        auto value = [&](std::optional<std::string>& into) {
            if (into || i + 1 >= arguments.size()) {
                return false;
            }
            into = arguments[++i];
            return true;
        };
        if (a == "--text" || a == "--text-file" || a == "--settings") {
            if (!value(a == "--text"        ? request.text
                       : a == "--text-file" ? request.textFile
                                            : request.settings)) {
                return a + " wants one value";
            }
        } else if (a == "--key") {
            if (!request.newKey.empty() || i + 3 >= arguments.size()) {
                return "--key wants a procedure, a control and a type";
            }
            request.newKey.assign(arguments.begin() + static_cast<long>(i) + 1,
                                  arguments.begin() + static_cast<long>(i) + 4);
            i += 3;
        } else if (a.starts_with("--")) {
            return "unknown option '" + a + "'";
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 4) {
        return "expected a tip file, a procedure, a control and a type";
    }
    if (request.text.has_value() == request.textFile.has_value()) {
        return "give the text with either --text or --text-file";
    }
    request.path = positional[0];
    request.key.assign(positional.begin() + 1, positional.end());
    return {};
}

std::string_view actionName(help::SaveAction action) {
    switch (action) {
    case help::SaveAction::Added:
        return "added";
    case help::SaveAction::Updated:
        return "updated";
    case help::SaveAction::Deleted:
        break;
    }
    return "deleted";
}

int run(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    SaveRequest request;
    if (std::string problem = parse(arguments, request); !problem.empty()) {
        return usageError(Save, problem, err);
    }
    StoreSession session;
    const std::vector<std::string>& key = request.newKey.empty() ? request.key : request.newKey;
    if (runtime::text::isBlank(key[1]) && runtime::text::isBlank(key[2])) {
        runtime::message("Either the Control name or the Control Type must be entered.", "Ruvo Tip");
        return exit_code::Usage;
    }
    std::string text = request.text.value_or("");
    if (request.textFile && !readWholeFile(*request.textFile, text, err)) {
        return exit_code::FileError;
    }
    text = tipText(std::move(text), request.textFile.has_value());
    if (text.size() > help::HelpTipSize) {
        err << "rvtips save: the text is cut to its " << help::HelpTipSize << " bytes\n";
    }

    help::setTipFileName(request.path);
    if (!help::openTipStore()) {
        return exit_code::FileError;
    }
    auto loaded = std::make_unique<help::LoadedTip>();
    help::findTip(help::tipKey(request.key[0], request.key[1], request.key[2]), *loaded);
    if (!request.newKey.empty()) {
        help::setKey(loaded->RVH, help::tipKey(key[0], key[1], key[2]));
    }
    loaded->RVH.HELPTIP = text;
    const std::string settings =
        request.settings.value_or(std::string(help::memoText(loaded->RVH.SETTINGS.view())));
    const help::SaveOutcome outcome = help::saveTip(*loaded, settings, 0);
    help::closeTipStore();
    if (!outcome.ok) {
        err << "rvtips save: the tip could not be " << actionName(outcome.action) << ": " << outcome.error
            << '\n';
        return exit_code::FileError;
    }
    out << actionName(outcome.action) << '\n';
    return exit_code::Done;
}

} // namespace
