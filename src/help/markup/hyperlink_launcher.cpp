#include "help/markup/hyperlink_launcher.h"

#include <algorithm>

#include "runtime/sys/command_line.h"
#include "runtime/sys/interaction.h"
#include "runtime/text/strings.h"

namespace help {
namespace {

using runtime::text::clip;

constexpr size_t MaxCommand = 200;
constexpr int32_t CouldNotStart = -4;

void start(std::string command) {
    command.resize(std::min(command.size(), MaxCommand));
    int32_t systemError = 0;
    if (runtime::interaction().run(command, systemError) == CouldNotStart) {
        runtime::message("Problem running : " + command + " Error = " + std::to_string(systemError),
                         "Ruvo error", runtime::Icon::Exclamation);
    }
}

bool opensAsWritten(std::string_view link) {
    std::string scheme = runtime::text::lower(link.substr(0, 4));
    return scheme == "http" || scheme == "file" || (link.size() > 1 && link[1] == ':');
}

} // namespace

std::string withoutSwitches(std::string_view command) {
    std::string result(command);
    for (size_t dash = result.find('-'); dash != std::string::npos; dash = result.find('-', dash + 1)) {
        size_t stop = result.find_first_of(" \"", dash + 1);
        if (stop == std::string::npos) {
            stop = result.size();
        }
        std::fill(result.begin() + static_cast<std::ptrdiff_t>(dash),
                  result.begin() + static_cast<std::ptrdiff_t>(stop), ' ');
    }
    return result;
}

void launchHyperlink(std::string_view link, const LaunchEnvironment& environment) {
    link = clip(link);
    if (runtime::text::upper(link).find(".CHM") != std::string::npos) {
        start("hh.exe mk:@msitstore:" + std::string(link));
        return;
    }
    std::optional<std::string> registered = environment.browserCommand();
    std::string browser = withoutSwitches(registered.value_or(std::string()));
    browser.resize(clip(browser).size());
    if (runtime::hasSwitch("/RVHTEST")) {
        runtime::message("Ruvo test result : Browser = " + browser, "Ruvo", runtime::Icon::Information);
    }
    std::string command = browser;
    if (opensAsWritten(link)) {
        command.append(" ").append(link);
    } else if (link.starts_with('#')) {
        command.append(" ").append(clip(environment.documentationBase)).append(link);
    } else {
        command.append(" http://").append(link);
    }
    if (!registered) {
        runtime::message("Cannot spawn default browser...", "Ruvo error", runtime::Icon::Exclamation);
    }
    start(std::move(command));
}

} // namespace help
