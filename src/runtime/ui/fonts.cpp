#include "runtime/ui/fonts.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "runtime/text/strings.h"

namespace runtime::ui {

FontSpec defaultWindowFont() {
    return FontSpec{"MS Shell Dlg", 8, DefaultColour, fontstyle::Normal};
}

FontSpec mergeFont(const FontSpec& own, const FontSpec& inherited) {
    FontSpec merged = inherited;
    if (!text::isBlank(own.typeface)) {
        merged.typeface = std::string(text::trim(own.typeface));
    }
    if (own.size > 0) {
        merged.size = own.size;
    }
    if (own.colour != DefaultColour) {
        merged.colour = own.colour;
    }
    if (own.style != 0) {
        merged.style = own.style;
    }
    return merged;
}

bool sameFace(const FontSpec& a, const FontSpec& b) {
    return text::equalNoCase(a.typeface, b.typeface) && a.size == b.size && a.style == b.style;
}

Font createFont(const FontSpec& spec) {
    LOGFONTA font{};
    WindowDc screen(nullptr);
    int points = spec.size > 0 ? spec.size : 8;
    font.lfHeight = -MulDiv(points, GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
    int weight = spec.style & fontstyle::WeightMask;
    font.lfWeight = weight == 0 ? fontstyle::Normal : std::clamp(weight, 100, 900);
    font.lfItalic = (spec.style & fontstyle::Italic) != 0;
    font.lfUnderline = (spec.style & fontstyle::Underline) != 0;
    font.lfStrikeOut = (spec.style & fontstyle::Strikeout) != 0;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    std::string_view face = text::trim(spec.typeface);
    if (face.empty()) {
        face = "MS Shell Dlg";
    }
    size_t length = std::min(face.size(), sizeof font.lfFaceName - 1);
    std::memcpy(font.lfFaceName, face.data(), length);
    return Font(CreateFontIndirectA(&font));
}

BaseUnits baseUnitsOf(HFONT font) {
    WindowDc screen(nullptr);
    Selected chosen(screen.get(), font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen.get(), &metrics);
    static const char sample[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE size{};
    GetTextExtentPoint32A(screen.get(), sample, 52, &size);
    BaseUnits units;
    units.x = std::max(1, static_cast<int>((size.cx / 26 + 1) / 2));
    units.y = std::max(1, static_cast<int>(metrics.tmHeight));
    return units;
}

int dialogToPixelsX(int value, BaseUnits units) {
    return MulDiv(value, units.x, 4);
}

int dialogToPixelsY(int value, BaseUnits units) {
    return MulDiv(value, units.y, 8);
}

int pixelsToDialogX(int value, BaseUnits units) {
    return MulDiv(value, 4, units.x);
}

int pixelsToDialogY(int value, BaseUnits units) {
    return MulDiv(value, 8, units.y);
}

SIZE measureText(HFONT font, const char* text, size_t length) {
    WindowDc screen(nullptr);
    Selected chosen(screen.get(), font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen.get(), &metrics);
    SIZE total{0, 0};
    size_t start = 0;
    int lines = 0;
    while (start <= length) {
        size_t end = start;
        while (end < length && text[end] != '\n' && text[end] != '\r') {
            ++end;
        }
        SIZE line{};
        GetTextExtentPoint32A(screen.get(), text + start, static_cast<int>(end - start), &line);
        total.cx = std::max(total.cx, line.cx);
        ++lines;
        if (end < length && text[end] == '\r' && end + 1 < length && text[end + 1] == '\n') {
            ++end;
        }
        if (end >= length) {
            break;
        }
        start = end + 1;
    }
    total.cy = metrics.tmHeight * std::max(lines, 1);
    return total;
}

} // namespace runtime::ui
