// Display pictures: how a value is shown in an entry, a label or a list
// column, and how the text a user typed there is read back.
//
// Picture language (letters in either case; the leading "@" is optional):
//
//   picture := ["@"] ( string | number | date )
//   string  := "s" width                           width 1..255
//   number  := "n" ["-"] ["0" | ","] width ["." places]
//                                                  width 1..30, places 0..9
//   date    := "d10"
//
//   "s30"   text, left-aligned, padded with blanks or cut to the width.
//   "n-13"  a number right-justified in `width` characters. The width counts
//           everything shown: minus, digits, separators and the point.
//             "-"   negative values are allowed, shown with a leading minus;
//                   without it the picture holds only values >= 0.
//             "0"   zero fill: leading zeros fill the width after the minus.
//             ","   thousands grouping ("1,234,567").
//             ".p"  p decimal places, always shown; the width must leave room
//                   for a digit and the point (width >= p + 2).
//   "d10"   a day number (runtime/text/dates.h) as yyyy-mm-dd; day 0 (no date)
//           shows blank.
//
// Examples:  value        picture   display
//            -1234        n-13      "        -1234"
//            1234567      n,10      " 1,234,567"
//            42           n05       "00042"
//            -42          n-05      "-0042"
//            1.5          n10.2     "      1.50"
//            81509        d10       "2024-02-29"
//            12345        s7        "12345  "
//
// A display text always has exactly the picture's width. A number that does
// not fit (too long, negative in a picture without "-", a day number outside
// the calendar) is shown as "#" in every position, never cut: a wrong number
// must not look like a right one. Text through a string picture is cut, as
// fixed-length text always is.
//
// Reading entered text refuses what the picture cannot show, so the caller can
// raise the rejected event instead of storing something else:
//   string  the text without trailing blanks; refused when longer than the width.
//   number  blanks around the number are ignored and a blank entry is 0; an
//           optional "-" (only where the picture allows negatives), digits
//           (with "," between groups of three where the picture groups; the
//           commas may be left out), and an optional point with at most the
//           picture's places. Refused when it would not fit the width.
//   date    a blank entry is day 0; otherwise yyyy-mm-dd (month and day may have
//           one digit), a real date from 1801 to 9999.
// Any picture can also show and read the other kind of value: a number through
// a string picture is its plain text ("-12.50", refused or shown as "#" when
// longer than the width); text through a number or date picture is read as a
// plain number (a day number for dates).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/text/number.h"

namespace runtime::text {

class Picture {
public:
    enum class Kind { String, Number, Date };

    static constexpr int MaxStringWidth = 255;
    static constexpr int MaxNumberWidth = 30;

    // Nothing when the text is not a picture of the language above.
    static std::optional<Picture> parse(std::string_view picture);

    Kind kind() const { return kind_; }
    int width() const { return width_; }
    int places() const { return places_; }
    bool allowsNegative() const { return negative_; }
    bool zeroFill() const { return zeroFill_; }
    bool grouped() const { return grouped_; }

    // Display texts, exactly width() characters.
    std::string format(const Number& value) const;
    std::string format(int64_t value) const { return format(Number{value, 0}); }
    std::string format(std::string_view text) const;

    // Entered text as a number (a day number for dates); nothing when refused.
    std::optional<Number> readNumber(std::string_view entered) const;
    // Entered text as text for a text variable: a string picture gives the text,
    // the others give the plain text of the number read; nothing when refused.
    std::optional<std::string> readText(std::string_view entered) const;

private:
    Picture() = default;

    std::string overflow() const;
    // Display texts of numbers and dates; nothing when the value does not fit.
    std::optional<std::string> numberDisplay(const Number& value) const;
    std::optional<std::string> dateDisplay(const Number& value) const;
    std::optional<Number> readNumberEntry(std::string_view entered) const;
    std::optional<Number> readDateEntry(std::string_view entered) const;
    std::optional<Number> readPlainEntry(std::string_view entered) const;

    Kind kind_ = Kind::String;
    int width_ = 0;
    int places_ = 0;
    bool negative_ = false;
    bool zeroFill_ = false;
    bool grouped_ = false;
};

} // namespace runtime::text
