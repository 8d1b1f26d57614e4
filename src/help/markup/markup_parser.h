// Turns a tip's markup, as its text box lays it out, into the control list.
//
// The markup, by example (tag letters in any case; text keeps its case):
//   Press the button                one "String" entry S  1
//   left|right                      "left" S  1 and "right" S  2 on one row
//   a||b                            a, an empty String, b
//   1 << 2                          the text "1 < 2"
//   <HR>                            a rule; only where the tag starts at
//                                   position 1, 5, 9, ... of its line, and the
//                                   rest of that line is dropped
//   (a blank line)                  an empty, unnamed String: an empty row
//   <T>Item                         a bullet named T, then the text "Item"
//   <B1>                            a button named B1 (names up to 4 letters)
//   <http://example.com/a.html>     a hyperlink HTTP1 and its click area
//   <www.example.com>               Region1 (also <FILE://host/dir/f.ext>,
//   <C:\dir\file.ext> <#topic>      drive paths, documentation topics and
//   <Help.CHM::/page.htm#topic>     compiled help pages)
//   <S"Our site"www.example.com>    a hyperlink shown as "Our site"
//   <LNK=Page 2>                    a link LNK1 to the tip named Page2, and
//                                   its click area
//   <other>                         the "<" is dropped: text "other>"
// Names count per kind from 1 in each parse (strings as "S" and the number
// right-aligned in three places), so the same text always gives the same
// names; the formatter's settings are keyed by them.
//
// A tag the text box wrapped is joined again: when its "<" has no ">" after
// it on its line, the next line is appended if it holds a ">" with no "<"
// before it, else the next two lines if the second one qualifies.
//
// Error recovery: a button or bullet without ">" within 4 characters, and a
// hyperlink or tip link without ">" within 80 characters of its target, is
// reported ("Control not completed|Line:" and the line) and adds nothing;
// reading goes on with the character after its "<", so the rest of the tag
// shows as text.
#pragma once

#include "help/markup/control_list.h"
#include "help/markup/line_source.h"

namespace help {

// Empties `list` and fills it from the lines of `lines`, after letting the box
// settle. Every entry's LINE is the text-box line its first character is on.
void parseMarkup(LineSource& lines, ControlList& list);

} // namespace help
