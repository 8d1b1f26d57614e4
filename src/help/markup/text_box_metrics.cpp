#include "help/markup/text_box_metrics.h"

#include <array>

namespace help {
namespace {

// GetCharWidth32A for codes 0-255 of the font; the text box draws some of
// them with no width (see advanceWidth).
constexpr std::array<uint8_t, 256> GlyphWidths = {
    3,  3, 3, 3, 3, 3, 3,  3,  3, 3,  3, 3, 3,  3, 3, 3, // 00
    3,  3, 3, 3, 3, 3, 3,  3,  3, 3,  3, 3, 3,  3, 3, 3, // 10
    3,  3, 5, 7, 6, 8, 6,  2,  3, 3,  4, 6, 3,  3, 3, 5, // 20
    6,  6, 6, 6, 6, 6, 6,  6,  6, 6,  3, 3, 6,  6, 6, 6, // 30
    11, 7, 7, 7, 8, 7, 6,  8,  8, 3,  5, 7, 6,  9, 8, 8, // 40
    7,  8, 8, 7, 7, 8, 7,  11, 7, 7,  7, 3, 5,  3, 6, 6, // 50
    3,  6, 6, 6, 6, 6, 3,  6,  6, 2,  2, 6, 2,  8, 6, 6, // 60
    6,  6, 3, 5, 3, 6, 6,  8,  5, 5,  5, 4, 2,  4, 7, 3, // 70
    6,  3, 3, 3, 5, 6, 5,  5,  3, 11, 7, 6, 10, 3, 7, 3, // 80
    3,  3, 3, 4, 4, 6, 5,  6,  3, 9,  5, 6, 10, 3, 5, 7, // 90
    3,  3, 6, 6, 6, 6, 2,  6,  3, 9,  4, 6, 6,  3, 8, 6, // A0
    4,  6, 3, 3, 3, 6, 6,  3,  3, 3,  4, 6, 8,  8, 8, 6, // B0
    7,  7, 7, 7, 7, 7, 10, 7,  7, 7,  7, 7, 3,  3, 3, 3, // C0
    8,  8, 8, 8, 8, 8, 8,  6,  8, 8,  8, 8, 8,  7, 7, 6, // D0
    6,  6, 6, 6, 6, 6, 10, 6,  6, 6,  6, 6, 2,  4, 4, 4, // E0
    6,  6, 6, 6, 6, 6, 6,  6,  6, 6,  6, 6, 6,  5, 6, 5, // F0
};

// Codes the code page leaves undefined; they map to control characters.
bool undefinedCode(unsigned char c) {
    return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

constexpr unsigned char SoftHyphen = 0xAD;

constexpr std::array<BreakClass, 256> makeBreakClasses() {
    std::array<BreakClass, 256> classes{};
    classes.fill(BreakClass::Alphabetic);
    for (int c = 0x01; c < 0x20; ++c) {
        classes[c] = BreakClass::Combining;
    }
    classes[0x7F] = BreakClass::Combining;
    for (unsigned char c : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        classes[c] = BreakClass::Combining;
    }
    classes['\t'] = BreakClass::After;
    classes['\n'] = BreakClass::LineFeed;
    classes['\v'] = BreakClass::Mandatory;
    classes['\f'] = BreakClass::Mandatory;
    classes['\r'] = BreakClass::Return;
    classes[' '] = BreakClass::Space;
    for (int c = '0'; c <= '9'; ++c) {
        classes[c] = BreakClass::Numeric;
    }
    struct Member {
        unsigned char code;
        BreakClass cls;
    };
    constexpr Member members[] = {
        {'!', BreakClass::Exclamation},  {'?', BreakClass::Exclamation}, {'"', BreakClass::Quote},
        {'\'', BreakClass::Quote},       {0x8B, BreakClass::Quote},      {0x91, BreakClass::Quote},
        {0x92, BreakClass::Quote},       {0x93, BreakClass::Quote},      {0x94, BreakClass::Quote},
        {0x9B, BreakClass::Quote},       {0xAB, BreakClass::Quote},      {0xBB, BreakClass::Quote},
        {'$', BreakClass::Affix},        {'%', BreakClass::Affix},       {'+', BreakClass::Affix},
        {'\\', BreakClass::Affix},       {0x80, BreakClass::Affix},      {0x89, BreakClass::Affix},
        {0xA2, BreakClass::Affix},       {0xA3, BreakClass::Affix},      {0xA4, BreakClass::Affix},
        {0xA5, BreakClass::Affix},       {0xB0, BreakClass::Affix},      {0xB1, BreakClass::Affix},
        {'(', BreakClass::Open},         {'[', BreakClass::Open},        {'{', BreakClass::Open},
        {0x82, BreakClass::Open},        {0x84, BreakClass::Open},       {0xA1, BreakClass::Open},
        {0xBF, BreakClass::Open},        {')', BreakClass::CloseParen},  {']', BreakClass::CloseParen},
        {'}', BreakClass::Close},        {',', BreakClass::InfixSep},    {'.', BreakClass::InfixSep},
        {':', BreakClass::InfixSep},     {';', BreakClass::InfixSep},    {'-', BreakClass::Hyphen},
        {'/', BreakClass::Slash},        {'|', BreakClass::After},       {0x96, BreakClass::After},
        {SoftHyphen, BreakClass::After}, {0x85, BreakClass::Ellipsis},   {0x97, BreakClass::Dash},
        {0xA0, BreakClass::Glue},        {0xB4, BreakClass::Before},
    };
    for (const Member& m : members) {
        classes[m.code] = m.cls;
    }
    return classes;
}

constexpr std::array<BreakClass, 256> BreakClasses = makeBreakClasses();

} // namespace

int32_t glyphWidth(unsigned char c) {
    return GlyphWidths[c];
}

int32_t advanceWidth(unsigned char c) {
    if (c == '\r' || (c >= 0x1C && c <= 0x1F) || c == 0x7F || undefinedCode(c) || c == SoftHyphen) {
        return 0;
    }
    return GlyphWidths[c];
}

bool hidesFollowingBlanks(unsigned char c) {
    return (c >= 0x01 && c < 0x20 && c != '\t' && c != '\n' && c != '\f') || c == 0x7F || undefinedCode(c) ||
           c == SoftHyphen;
}

BreakClass breakClass(unsigned char c) {
    return BreakClasses[c];
}

} // namespace help
