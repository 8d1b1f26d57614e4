#include "help/engine/ide_help.h"

#include "runtime/sys/ini.h"
#include "runtime/text/strings.h"

namespace help {
namespace {

using runtime::text::trim;

constexpr size_t LongestControlName = 40;

std::string limitedControl(std::string_view text) {
    return std::string(text.substr(0, LongestControlName));
}

} // namespace

std::optional<IdeHelpRequest> ideHelpRequest(std::string_view root, std::string_view request) {
    std::string folder(trim(root));
    if (folder.empty()) {
        return std::nullopt;
    }
    if (folder.back() != '\\') {
        folder += '\\';
    }
    IdeHelpRequest result;
    result.tipFolder = folder + "3rdParty\\Template\\";
    result.documentationBase = folder + "3rdParty\\Docs\\";

    size_t first = request.find(',');
    size_t second = first == std::string_view::npos ? first : request.find(',', first + 1);
    if (first == std::string_view::npos) {
        result.tipFile = IdeDefaultTipFile;
        result.control = limitedControl(request);
    } else if (second == std::string_view::npos) {
        result.tipFile = request.substr(0, first);
        result.control = limitedControl(request.substr(first + 1));
    } else {
        result.tipFile = request.substr(0, first);
        result.control = limitedControl(request.substr(first + 1, second - first - 1));
        result.documentationBase = runtime::text::replaceAll(
            "file:///" + result.documentationBase + std::string(request.substr(second + 1)), "\\", "/");
    }
    result.noHelpText = ".Could not find the correct " + std::string(trim(result.tipFile)) +
                        " file. Please find it, and move it, to the " + result.tipFolder + " directory.";
    return result;
}

std::string ideRoot() {
    std::string root = runtime::readProfile(IdeProfileSection, IdeRootEntry);
    if (trim(root).empty()) {
        root = runtime::readProfile(IdeFallbackSection, IdeRootEntry);
    }
    return root;
}

} // namespace help
