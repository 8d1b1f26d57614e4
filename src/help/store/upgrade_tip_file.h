// Converting a tip file of the old fixed-length layout into the current one,
// in place. The old file is first copied to "rvTemp$).)$(" in the current
// folder; the copy stays there afterwards, and is copied back when the
// conversion fails.
#pragma once

#include <string_view>

namespace help {

inline constexpr std::string_view UpgradeCopyName = "rvTemp$).)$(";

// Converts the file named `name` (blank: the current tip-file name; a
// non-blank name becomes the tip-file name). Progress goes to the installed
// UpgradeProgress. Ends the program when the file is in use by someone else
// or a step of the conversion fails (after restoring the old file). False,
// after telling the user, when the file cannot be opened in the old layout
// at all; the file is then left as it is.
bool upgradeTipFile(std::string_view name);

} // namespace help

#if defined(_WIN32)
#define RV_HELP_EXPORT __declspec(dllexport)
#else
#define RV_HELP_EXPORT __attribute__((visibility("default")))
#endif

// The exported entry: `tipFileName` may be null or blank.
extern "C" RV_HELP_EXPORT void UpgradeTipFile(const char* tipFileName);
