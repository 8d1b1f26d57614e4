// INI files and the user's profile.
//
// An INI file is text: "[section]" lines, each followed by "entry=value"
// lines. Section and entry names compare without regard to case or the blanks
// around them. A value is read without the blanks around it and without one
// pair of matching quotes (" or ') around all of it. Lines that start with ";"
// are comments. A missing file, section or entry reads as the default (without
// its trailing blanks). Writing creates the file and the section when needed,
// replaces the entry's value in place or adds the entry at the end of its
// section, and keeps every other line as it was.
//
// File names follow the Windows rule: a name with no folder in it is a file in
// the Windows folder; a name with a folder is relative to the current folder,
// or absolute. So the demo's ".\RvDemo.Ini" is the file in the folder the
// program runs in, while "RVDEMO.INI", as the INI manager is given it, is the
// file in the Windows folder. The user's profile is "win.ini" in the Windows
// folder.
//
// On Windows the system's profile functions do the work. Elsewhere our own
// implementation behaves the same way: the Windows folder is $WINDIR, or
// ~/.rvdemo without it (created on the first write); "\" and "/" both
// separate folders; a file name matches an existing file whatever its case;
// a file is replaced as a whole, so an interrupted write leaves the old file.
//
// Names and values that could not be read back are refused rather than
// written: a line break or NUL anywhere, a blank section or entry name, "]" in
// a section name, "=" in an entry name, an entry name starting with ";" or "[".
// Reading with such a name gives the default.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace runtime {

std::string readIni(std::string_view file, std::string_view section, std::string_view entry,
                    std::string_view defaultValue = {});
// False when the entry could not be written (refused name or value, a folder
// that does not exist, no permission); the file is then unchanged.
bool writeIni(std::string_view file, std::string_view section, std::string_view entry,
              std::string_view value);

// An entry of the user's profile.
std::string readProfile(std::string_view section, std::string_view entry, std::string_view defaultValue = {});

// The folder that file names without a folder refer to.
std::string windowsFolder();

// For tests: file names without a folder, and the user's profile, refer to
// `folder` while the object lives. Overrides nest.
class ScopedWindowsFolder {
public:
    explicit ScopedWindowsFolder(std::string folder);
    ~ScopedWindowsFolder();
    ScopedWindowsFolder(const ScopedWindowsFolder&) = delete;
    ScopedWindowsFolder& operator=(const ScopedWindowsFolder&) = delete;

private:
    std::optional<std::string> previous_;
};

} // namespace runtime
