// How our own INI implementation changes a file's text; what it reads is
// checked against the system's functions in ini_test.cpp.
#include <gtest/gtest.h>

#include "runtime/sys/ini_document.h"

namespace {

using runtime::ini::IniDocument;

TEST(IniDocumentWriting, ReplacesInPlaceAndKeepsEveryOtherLineAsItWas) {
    const std::string text =
        "; by hand\r\n[Help]\r\n  CueCards = 1 \r\nColour= red\r\n\r\n[help]\r\nCueCards=7\r\n";
    IniDocument document(text);
    document.set("help", "CUECARDS", "0");
    EXPECT_EQ(document.text(),
              "; by hand\r\n[Help]\r\nCueCards=0\r\nColour= red\r\n\r\n[help]\r\nCueCards=7\r\n")
        << "the first section of the name, the stored spelling of the entry";
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
