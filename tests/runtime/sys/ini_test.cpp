#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "runtime/sys/ini.h"
#include "runtime/sys/ini_document.h"

namespace {

using namespace runtime;
namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        static int counter = 0;
        path_ = fs::temp_directory_path() /
                ("rv_ini_test_" + std::to_string(fs::file_time_type::clock::now().time_since_epoch().count()) +
                 "_" + std::to_string(++counter));
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

class ScopedCurrentFolder {
public:
    explicit ScopedCurrentFolder(const fs::path& folder) : previous_(fs::current_path()) { fs::current_path(folder); }
    ~ScopedCurrentFolder() { fs::current_path(previous_); }

private:
    fs::path previous_;
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

// Names found in a folder, as stored.
std::vector<std::string> names(const fs::path& folder) {
    std::vector<std::string> result;
    for (const auto& item : fs::directory_iterator(folder)) {
        result.push_back(item.path().filename().string());
    }
    return result;
}

TEST(IniFiles, WriteThenReadWithDefaults) {
    TempFolder temp;
    std::string file = temp.file("settings.ini");
    EXPECT_EQ(readIni(file, "Help", "CueCards", "1"), "1") << "no file: the default";
    EXPECT_EQ(readIni(file, "Help", "CueCards", "dflt   "), "dflt") << "trailing blanks of a default are dropped";
    ASSERT_TRUE(writeIni(file, "Help", "CueCards", "0"));
    EXPECT_EQ(readIni(file, "Help", "CueCards", "1"), "0");
    EXPECT_EQ(readIni(file, "HELP", "cuecards", "1"), "0");
    EXPECT_EQ(readIni(file, "Help", "Other", "x"), "x");
    EXPECT_EQ(readIni(file, "Nope", "CueCards", ""), "");
    ASSERT_TRUE(writeIni(file, "help", "CUECARDS", "1"));
    EXPECT_EQ(readIni(file, "Help", "CueCards"), "1");
    ASSERT_TRUE(writeIni(file, "Help", "Empty", ""));
    EXPECT_EQ(readIni(file, "Help", "Empty", "default"), "") << "an empty value is a value";
}

TEST(IniFiles, WritingKeepsTheOtherLines) {
    TempFolder temp;
    std::string file = temp.file("keep.ini");
    writeFile(file, "; written by hand\r\n[Help]\r\nCueCards=1\r\nColour=red\r\n\r\n[Other]\r\nx=1\r\n");
    ASSERT_TRUE(writeIni(file, "Help", "CueCards", "0"));
    ASSERT_TRUE(writeIni(file, "New", "Entry", "value"));
    EXPECT_EQ(readIni(file, "Help", "Colour"), "red");
    EXPECT_EQ(readIni(file, "Other", "x"), "1");
    EXPECT_EQ(readIni(file, "Help", "CueCards"), "0");
    EXPECT_EQ(readIni(file, "New", "Entry"), "value");
    EXPECT_NE(contents(file).find("; written by hand"), std::string::npos);
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
        {"Help", "CueCards", "1\r\n[Help]\r\nCueCards=0"}, // would plant a section
        {"Help", "CueCards", "a\nb"},
        {"Help", "CueCards", std::string("a\0b", 3)},
        {"He]lp", "x", "1"},
        {"Help\n", "x", "1"},
        {"", "x", "1"},
        {"  ", "x", "1"},
        {"Help", "", "1"},
        {"Help", "a=b", "1"},
        {"Help", ";comment", "1"},
        {"Help", "[x]", "1"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(writeIni(file, c.section, c.entry, c.value)) << c.section << "/" << c.entry;
    }
    EXPECT_EQ(contents(file), before);
    EXPECT_EQ(readIni(file, "Help", "a=b", "dflt"), "dflt");
    EXPECT_EQ(readIni(file, "", "CueCards", "dflt"), "dflt");
}

TEST(IniFiles, AWriteIntoAMissingFolderFails) {
    TempFolder temp;
    std::string file = temp.file("no such folder/x.ini");
    EXPECT_FALSE(writeIni(file, "Help", "CueCards", "1"));
    EXPECT_FALSE(fs::exists(temp.path() / "no such folder"));
}

TEST(IniFiles, NamesWithoutAFolderAreInTheWindowsFolder) {
    // The demo's two names: ".\RvDemo.Ini" in the current folder and
    // "RVDEMO.INI" in the Windows folder.
    TempFolder temp;
    fs::create_directories(temp.path() / "windows");
    fs::create_directories(temp.path() / "work");
    ScopedWindowsFolder windows(temp.file("windows"));
    ScopedCurrentFolder work(temp.path() / "work");
    EXPECT_EQ(windowsFolder(), temp.file("windows"));

    ASSERT_TRUE(writeIni(".\\RvDemo.Ini", "Help", "CueCards", "0"));
    ASSERT_TRUE(writeIni("RVDEMO.INI", "Help", "CueCards", "1"));
    EXPECT_EQ(names(temp.path() / "work"), (std::vector<std::string>{"RvDemo.Ini"}));
    EXPECT_EQ(names(temp.path() / "windows"), (std::vector<std::string>{"RVDEMO.INI"}));
    EXPECT_EQ(readIni(".\\RvDemo.Ini", "Help", "CueCards"), "0");
    EXPECT_EQ(readIni("RVDEMO.INI", "Help", "CueCards"), "1");
    EXPECT_EQ(readIni("./rvdemo.ini", "Help", "CueCards"), "0") << "file names ignore case, '/' separates too";
    EXPECT_EQ(readIni("RvDemo.Ini", "Help", "CueCards"), "1");
}

TEST(IniFiles, TheProfileIsWinIniInTheWindowsFolder) {
    TempFolder temp;
    ScopedWindowsFolder windows(temp.path().string());
    writeFile(temp.file("win.ini"), "[Corvex 5  Enterprise Edition]\r\nRoot=C:\\Corvex5\\\r\n");
    EXPECT_EQ(readProfile("Corvex 5  Enterprise Edition", "Root"), "C:\\Corvex5\\");
    EXPECT_EQ(readProfile("Corvex 5", "Root"), "") << "sections differ in their inner blanks";
    EXPECT_EQ(readProfile("corvex 5  enterprise edition", "ROOT"), "C:\\Corvex5\\");
}

TEST(IniFiles, TheRealProfileAnswersWithTheDefault) {
    EXPECT_EQ(readProfile("rv test section that nobody has", "Root", "none"), "none");
    EXPECT_FALSE(windowsFolder().empty());
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

// On Windows readIni and writeIni are the system's functions: these cases pin
// our own implementation to what they do with the same files.
TEST(IniFiles, OurReaderAgreesWithTheSystem) {
    TempFolder temp;
    const std::string texts[] = {
        "[Help]\r\nCueCards=1\r\n  Spaced Name  =   padded   \r\nQuoted=\"  in  \"\r\nSingle='x'\r\nHalf=\"x\r\n"
        "Equation=a=b\r\nEmpty=\r\nno equals\r\n;CueCards=9\r\n[Other]\r\nCueCards=2\r\n[help]\r\nLater=2nd\r\n",
        "[Help]\nCueCards=1\n[ Other ]\nCueCards=2",
        "orphan=1\r\n[HELP]\r\ncuecards = 3 \r\n",
    };
    const std::pair<const char*, const char*> probes[] = {
        {"Help", "CueCards"}, {"help", "CUECARDS"}, {"Help", "Spaced Name"}, {"Help", "Quoted"},
        {"Help", "Single"},   {"Help", "Half"},     {"Help", "Equation"},    {"Help", "Empty"},
        {"Help", "Later"},    {"Other", "CueCards"}, {"Help", "orphan"},     {"Help", "Missing"},
    };
    int n = 0;
    for (const std::string& text : texts) {
        // A new file for each text: the system may keep a file it read cached.
        std::string file = temp.file("agree" + std::to_string(++n) + ".ini");
        writeFile(file, text);
        runtime::ini::IniDocument ours(text);
        for (const auto& [section, entry] : probes) {
            EXPECT_EQ(readIni(file, section, entry, "<none>"), ours.find(section, entry).value_or("<none>"))
                << "text " << n << ": " << section << "/" << entry;
        }
    }
}

TEST(IniFiles, OurWriterAgreesWithTheSystem) {
    TempFolder temp;
    const std::string start = "; top\r\n[Help]\r\nCueCards=1\r\nColour=red\r\n\r\n[Other]\r\nx=1\r\n";
    struct Write {
        const char* section;
        const char* entry;
        const char* value;
    };
    const Write writes[] = {{"help", "cuecards", "0"}, {"Help", "Added", "new"}, {"Fresh", "Entry", " v "}};
    const std::string file = temp.file("agree_write.ini");
    writeFile(file, start);
    runtime::ini::IniDocument ours(start);
    for (const Write& w : writes) {
        ASSERT_TRUE(writeIni(file, w.section, w.entry, w.value));
        ours.set(w.section, w.entry, w.value);
    }
    runtime::ini::IniDocument theirs(contents(file));
    for (const auto& [section, entry] : std::vector<std::pair<const char*, const char*>>{
             {"Help", "CueCards"}, {"Help", "Colour"}, {"Help", "Added"}, {"Other", "x"}, {"Fresh", "Entry"}}) {
        EXPECT_EQ(theirs.find(section, entry), ours.find(section, entry)) << section << "/" << entry;
    }
    EXPECT_NE(contents(file).find("; top"), std::string::npos);
}

} // namespace
