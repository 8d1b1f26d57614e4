#include <gtest/gtest.h>

#include "runtime/sys/ini_document.h"

namespace {

using runtime::ini::IniDocument;

const char* const Sample = "; demo settings\r\n"
                           "orphan=before any section\r\n"
                           "[Help]\r\n"
                           "CueCards=1\r\n"
                           "  Spaced Name  =   padded value   \r\n"
                           "Quoted=\"  kept inside  \"\r\n"
                           "Single='x'\r\n"
                           "Half=\"x\r\n"
                           "Equation=a=b\r\n"
                           "Empty=\r\n"
                           "no equals sign\r\n"
                           ";CueCards=9\r\n"
                           "\r\n"
                           "[ Other ]\r\n"
                           "CueCards=2\r\n"
                           "[help]\r\n"
                           "Later=only in the second copy\r\n";

TEST(IniDocumentReading, FindsEntriesByTheWindowsRules) {
    IniDocument document(Sample);
    struct Case {
        const char* section;
        const char* entry;
        std::optional<std::string> value;
    };
    const Case cases[] = {
        {"Help", "CueCards", "1"},
        {"HELP", "cuecards", "1"},
        {"Help", "Spaced Name", "padded value"},
        {"Help", "Quoted", "  kept inside  "},
        {"Help", "Single", "x"},
        {"Help", "Half", "\"x"},
        {"Help", "Equation", "a=b"},
        {"Help", "Empty", ""},
        {"Help", "no equals sign", std::nullopt},
        {"Help", "orphan", std::nullopt},
        {"Help", "Missing", std::nullopt},
        {"Other", "CueCards", "2"},
        {"Help", "Later", std::nullopt}, // the first section of a name is the one used
        {"Missing", "CueCards", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(document.find(c.section, c.entry), c.value) << c.section << "/" << c.entry;
    }
}

TEST(IniDocumentReading, AcceptsBareLineFeedsAndNoFinalLineEnd) {
    IniDocument document("[A]\nx=1\n[B]\ny=2");
    EXPECT_EQ(document.find("A", "x"), "1");
    EXPECT_EQ(document.find("B", "y"), "2");
    EXPECT_EQ(document.find("A", "y"), std::nullopt);
}

TEST(IniDocumentWriting, ReplacesInPlaceAndKeepsEveryOtherLine) {
    IniDocument document(Sample);
    document.set("help", "CUECARDS", "0");
    std::string expected = Sample;
    expected.replace(expected.find("CueCards=1"), 10, "CueCards=0");
    EXPECT_EQ(document.text(), expected) << "the stored spelling of the name stays";
}

TEST(IniDocumentWriting, AddsEntriesAtTheEndOfTheirSection) {
    IniDocument document("[A]\r\nx=1\r\n; note\r\n\r\n[B]\r\ny=2\r\n");
    document.set("A", "z", "3");
    document.set("B", "w", "4");
    EXPECT_EQ(document.text(), "[A]\r\nx=1\r\n; note\r\nz=3\r\n\r\n[B]\r\ny=2\r\nw=4\r\n");
}

TEST(IniDocumentWriting, CreatesSectionsAndKeepsTheFilesLineEnds) {
    IniDocument empty("");
    empty.set("Help", "CueCards", "1");
    EXPECT_EQ(empty.text(), "[Help]\r\nCueCards=1\r\n");

    IniDocument unix("[A]\nx=1");
    unix.set("B", "y", "2");
    EXPECT_EQ(unix.text(), "[A]\nx=1\n\n[B]\ny=2\n");
}

} // namespace
