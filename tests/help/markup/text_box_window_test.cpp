// Proves the computed text-box layout against the real thing: the font's
// widths as the system reports them, and a multi-line, word-wrapping EDIT
// control of the tip's font laying out the same texts at the same widths.
#include <windows.h>

#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "help/markup/markup_parser.h"
#include "help/markup/text_box_layout.h"
#include "help/markup/text_box_metrics.h"
#include "parse_support.h"
#include "support/scripted_interaction.h"

namespace {

struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};
using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

struct WindowDeleter {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using Window = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

// "MS Sans Serif" 8 point at 96 dpi.
Font tipFont() {
    return Font(CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "MS Sans Serif"));
}

struct Frame {
    const char* name;
    help::TextBoxBorder border;
    bool scrollBar;
};

const Frame Frames[] = {
    {"no border", help::TextBoxBorder::None, false},
    {"line border", help::TextBoxBorder::Line, false},
    {"sunken edge", help::TextBoxBorder::Sunken, false},
    {"scroll bar", help::TextBoxBorder::None, true},
    {"line border and scroll bar", help::TextBoxBorder::Line, true},
};

class EditBox {
public:
    EditBox(HFONT font, int width, const Frame& frame) {
        parent_.reset(CreateWindowExA(0, "STATIC", "layout", WS_OVERLAPPEDWINDOW, 0, 0, 900, 700, nullptr,
                                      nullptr, nullptr, nullptr));
        DWORD style = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL;
        DWORD exStyle = 0;
        if (frame.border == help::TextBoxBorder::Line) {
            style |= WS_BORDER;
        } else if (frame.border == help::TextBoxBorder::Sunken) {
            exStyle |= WS_EX_CLIENTEDGE;
        }
        if (frame.scrollBar) {
            style |= WS_VSCROLL;
        }
        edit_.reset(CreateWindowExA(exStyle, "EDIT", "", style, 7, 5, width, 300, parent_.get(), nullptr,
                                    nullptr, nullptr));
        SendMessageA(edit_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }

    bool created() const { return edit_ != nullptr; }

    std::vector<std::string> layOut(const std::string& text) {
        SetWindowTextA(edit_.get(), text.c_str());
        auto count = static_cast<int>(SendMessageA(edit_.get(), EM_GETLINECOUNT, 0, 0));
        std::vector<std::string> lines;
        for (int i = 0; i < count; ++i) {
            lines.push_back(line(i));
        }
        return lines;
    }

    std::string line(int index) {
        std::vector<char> buffer(4096);
        *reinterpret_cast<WORD*>(buffer.data()) = static_cast<WORD>(buffer.size() - 1);
        auto length = static_cast<size_t>(
            SendMessageA(edit_.get(), EM_GETLINE, index, reinterpret_cast<LPARAM>(buffer.data())));
        return std::string(buffer.data(), length);
    }

    HWND handle() const { return edit_.get(); }

private:
    Window parent_;
    Window edit_;
};

std::vector<std::string> emulated(const std::string& text, int width, const Frame& frame) {
    help::EmulatedTextBox box(text, help::formattingWidth(width, frame.border, frame.scrollBar));
    std::vector<std::string> lines;
    for (int32_t n = 1; n <= box.lineCount(); ++n) {
        lines.push_back(box.line(n));
    }
    return lines;
}

// Characters the layout is exact for: the code page's printable characters
// (not the soft hyphen, which the box treats in ways not worth copying).
std::string printableCharacters() {
    std::string chars;
    for (int c = 0x20; c <= 0xFF; ++c) {
        bool undefined = c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
        if (!undefined && c != 0xAD) {
            chars.push_back(static_cast<char>(c));
        }
    }
    return chars + "      ";
}

std::vector<std::string> sampleTexts() {
    std::vector<std::string> texts = {
        "",
        "Press <B1> to save the customer, or <B2> to leave without saving.",
        "<T>First point\r\n<T>Second point, which is long enough to wrap\r\n<HR>\r\nMore at "
        "<S\"our web site\"www.example.com/docs/index.html> or <LNK=Page 2>.",
        "See <http://www.example.com/a/rather/long/path/page.html> and <Help.CHM::/topic.htm#part> too.",
        "left|right||<<not a tag>\r\n\r\n   indented\r\nend\r\n",
        "C:\\dir\\file.ext (see 1.5%, $20, 3-4, a/b, \"quoted\", [x], {y}) - done!",
    };
    std::mt19937 random(20240611);
    const std::string chars = printableCharacters();
    for (int i = 0; i < 150; ++i) {
        std::string text;
        size_t length = random() % 160;
        for (size_t k = 0; k < length; ++k) {
            text.push_back(chars[random() % chars.size()]);
        }
        texts.push_back(text);
    }
    const std::vector<std::string> tokens = {
        "word",
        "a",
        "longerword",
        std::string(30, 'x'),
        " ",
        " ",
        "  ",
        "\r\n",
        "\n",
        "\r\r\n",
        "<T>",
        "<B1>",
        "<HR>",
        "<LNK=Page 2>",
        "<http://www.example.com/path/page.html>",
        "<S\"short name\"www.example.com>",
        "|",
        "<<",
        "-",
        "/",
        ".",
        ",",
        "(x)",
        "\"q\"",
        "\xE9t\xE9",
        "C:\\dir\\file.ext",
    };
    for (int i = 0; i < 150; ++i) {
        std::string text;
        size_t count = random() % 40;
        for (size_t k = 0; k < count; ++k) {
            text += tokens[random() % tokens.size()];
        }
        texts.push_back(text);
    }
    return texts;
}

TEST(TipFont, WidthsAreTheFontsOwn) {
    Font font = tipFont();
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font.get());
    char face[LF_FACESIZE] = {};
    GetTextFaceA(screen, LF_FACESIZE, face);
    INT widths[256] = {};
    GetCharWidth32A(screen, 0, 255, widths);
    const std::string sample = "The quick brown fox, 1234567890 <LNK=Page 2>";
    SIZE extent{};
    GetTextExtentPoint32A(screen, sample.c_str(), static_cast<int>(sample.size()), &extent);
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);

    ASSERT_STREQ(face, "MS Sans Serif") << "the prefix lacks the font, so every layout would differ";
    EXPECT_EQ(metrics.tmAveCharWidth, help::text_box::AverageCharWidth);
    for (int c = 0; c < 256; ++c) {
        EXPECT_EQ(widths[c], help::glyphWidth(static_cast<unsigned char>(c))) << "character " << c;
    }
    int32_t sum = 0;
    for (char c : sample) {
        sum += help::glyphWidth(static_cast<unsigned char>(c));
    }
    EXPECT_EQ(extent.cx, sum);
}

TEST(TextBoxLayout, MatchesARealTextBoxLineByLine) {
    struct Run {
        const Frame& frame;
        int32_t formattingWidth;
        size_t step; // every text, or every n-th (narrow boxes make a line of each character)
    };
    std::vector<Run> runs;
    for (int32_t width : {6, 7, 9, 12}) {
        runs.push_back({Frames[0], width, 7});
    }
    for (int32_t width : {40, 60, 80, 100, 160, 200, 300}) {
        runs.push_back({Frames[0], width, 1});
    }
    for (const Frame& frame : Frames) {
        for (int32_t width : {40, 100, 160}) {
            runs.push_back({frame, width, 3});
        }
    }
    Font font = tipFont();
    const std::vector<std::string> texts = sampleTexts();
    int compared = 0;
    for (const Run& run : runs) {
        const int32_t boxWidth =
            run.formattingWidth - help::formattingWidth(0, run.frame.border, run.frame.scrollBar);
        EditBox box(font.get(), boxWidth, run.frame);
        ASSERT_TRUE(box.created());
        for (size_t i = 0; i < texts.size(); i += run.step) {
            EXPECT_EQ(box.layOut(texts[i]), emulated(texts[i], boxWidth, run.frame))
                << run.frame.name << ", box " << boxWidth << " wide: " << testing::PrintToString(texts[i]);
            ++compared;
        }
    }
    EXPECT_GT(compared, 3000);
}

// What the tip window does: read the parser's lines from its text box.
class EditLines : public help::LineSource {
public:
    explicit EditLines(EditBox& box) : box_(box) {}
    void settle() override {
        help::yieldUntilClockAdvances([] {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageA(&msg);
            }
        });
    }
    int32_t lineCount() override {
        return static_cast<int32_t>(SendMessageA(box_.handle(), EM_GETLINECOUNT, 0, 0));
    }
    std::string line(int32_t n) override { return box_.line(n - 1).substr(0, help::MaxLineText); }

private:
    EditBox& box_;
};

TEST(MarkupParser, ReadsTheSameListFromARealTextBox) {
    testing_support::ScriptedInteraction boxes;
    runtime::ScopedInteraction scope(boxes);
    Font font = tipFont();
    EditBox box(font.get(), 160, Frames[0]);
    const std::vector<std::string> texts = sampleTexts();
    // Each parse waits for the box to settle, so a sample of the texts will do.
    for (size_t i = 0; i < texts.size(); i += 8) {
        const std::string& text = texts[i];
        box.layOut(text);
        EditLines real(box);
        help::ControlList fromBox;
        help::parseMarkup(real, fromBox);
        help::EmulatedTextBox computed(text, 160);
        help::ControlList fromLayout;
        help::parseMarkup(computed, fromLayout);
        EXPECT_EQ(markup_testing::describe(fromBox), markup_testing::describe(fromLayout))
            << testing::PrintToString(text);
    }
}

} // namespace
