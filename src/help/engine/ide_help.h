// Help for the development environment: a request names a control (and
// optionally the tip file and a documentation folder), the tips live under the
// environment's own folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace help {

// Where the environment keeps its folder: the user's profile, the first
// section that has a root.
inline constexpr std::string_view IdeProfileSection = "Corvex 5  Enterprise Edition";
inline constexpr std::string_view IdeFallbackSection = "Corvex 5";
inline constexpr std::string_view IdeRootEntry = "Root";

inline constexpr std::string_view IdeDefaultTipFile = "Lockvane.Rvh";
inline constexpr std::string_view IdeControlType = "IDE";

struct IdeHelpRequest {
    std::string tipFile;           // as the request names it
    std::string control;           // at most 40 characters
    std::string tipFolder;         // root + "3rdParty\Template\"
    std::string documentationBase; // root + "3rdParty\Docs\", or a file URL
    std::string noHelpText;        // tells the user where the tip file belongs
};

// The request "control", "tipfile,control" or "tipfile,control,docs path"
// against the environment's root folder. nullopt for a blank root.
std::optional<IdeHelpRequest> ideHelpRequest(std::string_view root, std::string_view request);

// The root folder from the user's profile, "" when neither section has one.
std::string ideRoot();

} // namespace help
