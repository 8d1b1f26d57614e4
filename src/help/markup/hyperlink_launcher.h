// Opening a tip's hyperlink: a page of a compiled help file in the help
// viewer, anything else in the default browser. Both are started through
// runtime::interaction().run, without waiting for them.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "help/markup/default_browser.h"

namespace help {

struct LaunchEnvironment {
    std::function<std::optional<std::string>()> browserCommand = registeredBrowserCommand;
    // Where links beginning with "#" point into; empty until the
    // development environment's help has been asked for.
    std::string documentationBase;
};

// The registered browser command with every switch blanked out: each "-" up
// to the next blank or double quote, wherever it stands (also inside the
// browser's path).
std::string withoutSwitches(std::string_view command);

// Opens `link` (a hyperlink entry's target): a link containing ".CHM" runs
// "hh.exe mk:@msitstore:" and the link; a link beginning with http, file or a
// drive letter goes to the browser as it is, one beginning with "#" after the
// documentation base, anything else after "http://". Commands are cut at 200
// characters. A browser that is not registered is reported and the command
// still tried; a command that cannot be started is reported with the
// system's error number. With "/RVHTEST" on the command line the browser
// command is shown before it is used.
void launchHyperlink(std::string_view link, const LaunchEnvironment& environment);

} // namespace help
