// On Windows readIni and writeIni are the system's own functions, so under
// Wine these cases also pin our own implementation to what the system does.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

#include "runtime/sys/ini.h"

namespace {

using namespace runtime;
namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        static int counter = 0;
        auto stamp = fs::file_time_type::clock::now().time_since_epoch().count();
        path_ =
            fs::temp_directory_path() / ("rv_ini_" + std::to_string(stamp) + "_" + std::to_string(++counter));
        fs::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

TEST(IniFiles, ReadsByTheSystemsRules) {
    const std::string texts[] = {
        "; demo\r\norphan=1\r\n[Help]\r\nCueCards=1\r\n  Spaced Name  =   padded   \r\nQuoted=\"  in  \"\r\n"
        "Single='x'\r\nHalf=\"x\r\nEquation=a=b\r\nEmpty=\r\nno equals\r\n;Commented=9\r\n\r\n"
        "[ Other ]\r\nCueCards=2\r\n[help]\r\nLater=2nd\r\n",
        "[Help]\nCueCards=3\n[Other]\nCueCards=4", // bare line feeds, no final line end
    };
    struct Case {
        int text;
        const char* section;
        const char* entry;
        const char* value; // "<none>": the default
    };
    const Case cases[] = {
        {0, "Help", "CueCards", "1"},         {0, "HELP", "cuecards", "1"},
        {0, "Help", "Spaced Name", "padded"}, {0, "Help", "Quoted", "  in  "},
        {0, "Help", "Single", "x"},           {0, "Help", "Half", "\"x"},
        {0, "Help", "Equation", "a=b"},       {0, "Help", "Empty", ""},
        {0, "Help", "no equals", "<none>"},   {0, "Help", "Commented", "<none>"},
        {0, "Help", "orphan", "<none>"},      {0, "Other", "CueCards", "2"},
        {0, "Help", "Later", "<none>"},       {0, "Missing", "CueCards", "<none>"},
        {1, "Help", "CueCards", "3"},         {1, "Other", "CueCards", "4"},
    };
    TempFolder temp;
    for (const Case& c : cases) {
        // A new file for each case: the system may keep a file it read cached.
        static int n = 0;
        std::string file = temp.file("read" + std::to_string(++n) + ".ini");
        writeFile(file, texts[c.text]);
        EXPECT_EQ(readIni(file, c.section, c.entry, "<none>"), c.value) << c.section << "/" << c.entry;
    }
}

TEST(IniFiles, WritesCreateReplaceAndKeepTheRest) {
    TempFolder temp;
    std::string file = temp.file("settings.ini");
    EXPECT_EQ(readIni(file, "Help", "CueCards", "1"), "1") << "no file: the default";
    EXPECT_EQ(readIni(file, "Help", "CueCards", "dflt   "), "dflt") << "a default loses its trailing blanks";
    ASSERT_TRUE(writeIni(file, "Help", "CueCards", "0"));
    EXPECT_EQ(readIni(file, "help", "CUECARDS", "1"), "0");

    writeFile(file, "; by hand\r\n[Help]\r\nCueCards=1\r\nColour=red\r\n\r\n[Other]\r\nx=1\r\n");
    ASSERT_TRUE(writeIni(file, "help", "cuecards", "0"));
    ASSERT_TRUE(writeIni(file, "Help", "Added", "new"));
    ASSERT_TRUE(writeIni(file, "Fresh", "Entry", " v "));
    ASSERT_TRUE(writeIni(file, "Other", "Empty", ""));
    EXPECT_EQ(readIni(file, "Help", "CueCards"), "0");
    EXPECT_EQ(readIni(file, "Help", "Colour"), "red");
    EXPECT_EQ(readIni(file, "Help", "Added"), "new");
    EXPECT_EQ(readIni(file, "Other", "x"), "1");
    EXPECT_EQ(readIni(file, "Fresh", "Entry"), "v");
    EXPECT_EQ(readIni(file, "Other", "Empty", "default"), "") << "an empty value is a value";
    EXPECT_NE(contents(file).find("; by hand"), std::string::npos);
}

TEST(IniFiles, RefusesWhatCouldNotBeReadBack) {
    TempFolder temp;
    std::string file = temp.file("refuse.ini");
    ASSERT_TRUE(writeIni(file, "Help", "CueCards", "1"));
    std::string before = contents(file);
    struct Case {
        const char* section;
        const char* entry;
        std::string value;
    };
    const Case cases[] = {
        {"Help", "CueCards", "1\r\n[Help]\r\nCueCards=0"}, // would plant a second entry
        {"Help", "CueCards", std::string("a\0b", 3)},
        {"He]lp", "x", "1"},
        {"Help\n", "x", "1"},
        {"  ", "x", "1"},
        {"Help", "", "1"},
        {"Help", "a=b", "1"},
        {"Help", ";comment", "1"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(writeIni(file, c.section, c.entry, c.value)) << c.section << "/" << c.entry;
    }
    EXPECT_EQ(contents(file), before);
    EXPECT_EQ(readIni(file, "Help", "a=b", "dflt"), "dflt");

    EXPECT_FALSE(writeIni(temp.file("no such folder/x.ini"), "Help", "CueCards", "1"));
    EXPECT_FALSE(fs::exists(temp.path() / "no such folder"));
}

TEST(IniFiles, NamesWithoutAFolderAreInTheWindowsFolder) {
    // The demo's two names: ".\RvDemo.Ini" in the current folder and
    // "RVDEMO.INI" in the Windows folder.
    TempFolder temp;
    fs::create_directories(temp.path() / "windows");
    fs::create_directories(temp.path() / "work");
    ScopedWindowsFolder windows(temp.file("windows"));
    fs::path previous = fs::current_path();
    fs::current_path(temp.path() / "work");

    EXPECT_EQ(windowsFolder(), temp.file("windows"));
    EXPECT_TRUE(writeIni(".\\RvDemo.Ini", "Help", "CueCards", "0"));
    EXPECT_TRUE(writeIni("RVDEMO.INI", "Help", "CueCards", "1"));
    EXPECT_TRUE(fs::exists(temp.path() / "work" / "RvDemo.Ini"));
    EXPECT_TRUE(fs::exists(temp.path() / "windows" / "RVDEMO.INI"));
    EXPECT_EQ(readIni("./rvdemo.ini", "Help", "CueCards"), "0")
        << "file names ignore case; '/' separates too";
    EXPECT_EQ(readIni("RvDemo.Ini", "Help", "CueCards"), "1");
    fs::current_path(previous);
}

TEST(IniFiles, WithoutAnOverrideNamesGoToTheSystemsWindowsFolder) {
#ifndef _WIN32
    TempFolder windir;
    const char* previous = std::getenv("WINDIR");
    std::string saved = previous != nullptr ? previous : "";
    setenv("WINDIR", windir.path().c_str(), 1);
#endif
    TempFolder unique; // only for its unique name
    std::string name = unique.path().filename().string() + ".ini";
    ASSERT_TRUE(writeIni(name, "Help", "CueCards", "1"));
    fs::path expected = fs::path(windowsFolder()) / name;
    EXPECT_TRUE(fs::exists(expected)) << expected;
    std::error_code ignored;
    fs::remove(expected, ignored);
    EXPECT_EQ(readProfile("rv test section that nobody has", "Root", "none"), "none");
#ifndef _WIN32
    EXPECT_EQ(windowsFolder(), windir.path().string());
    if (previous != nullptr) {
        setenv("WINDIR", saved.c_str(), 1);
    } else {
        unsetenv("WINDIR");
    }
#endif
}

TEST(IniFiles, TheProfileIsWinIniInTheWindowsFolder) {
    TempFolder temp;
    ScopedWindowsFolder windows(temp.path().string());
    writeFile(temp.file("win.ini"), "[Dev Kit  Pro Edition]\r\nRoot=C:\\DevKit\\\r\n");
    EXPECT_EQ(readProfile("dev kit  pro edition", "ROOT"), "C:\\DevKit\\");
    EXPECT_EQ(readProfile("Dev Kit Pro Edition", "Root"), "");
}

TEST(IniFiles, ThreadsWritingOneFileKeepEachOthersEntries) {
    TempFolder temp;
    std::string file = temp.file("threads.ini");
    auto writer = [&](const std::string& section) {
        for (int i = 0; i < 25; ++i) {
            EXPECT_TRUE(writeIni(file, section, "entry" + std::to_string(i), std::to_string(i)));
        }
    };
    std::thread a(writer, "A");
    std::thread b(writer, "B");
    a.join();
    b.join();
    for (int i = 0; i < 25; ++i) {
        EXPECT_EQ(readIni(file, "A", "entry" + std::to_string(i)), std::to_string(i));
        EXPECT_EQ(readIni(file, "B", "entry" + std::to_string(i)), std::to_string(i));
    }
}

} // namespace
