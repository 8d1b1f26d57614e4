// The tips of a tip file as readable text, for keeping them in version
// control: written by export, read back by import into the same bytes.
//
//   # tips of ruvo.rvh             lines starting with "#" are notes
//   tip                            each tip starts with this line
//   procedure: BrowseCustomers     the names, without their padding
//   control: ?Customers:Button
//   type: BUTTON
//   date: 2024-05-01               yyyy-mm-dd, "none" for no date, or a day number
//   read-only: 0                   the three flags, 0 to 255
//   archive: 0
//   style: 0
//   width: 270                     OTHER's first two bytes, or "none" when it has none
//   other: ...                     only when OTHER holds more than the width
//   text:                          the tip's text: one "|" line for each line
//   |Press <B1> to go on.          of the text, which are joined with CR LF
//   settings:                      the settings, the same way
//   |
//
// Values are the stored bytes, with escapes only where a byte would not
// survive a text file: "\r" and "\n" for a CR or LF that is not part of a
// line break, "\xHH" for other control characters and for a blank at the end
// of a line (which editors strip), and "\\" for a backslash that would
// otherwise read as the start of one of these. Every other backslash is
// literal, so file paths read as they are. Blank lines are ignored; a field
// left out of a tip is blank (or 0, none).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "help/store/stored_tips.h"

namespace help {

std::string exportTips(const std::vector<StoredTip>& tips, std::string_view title);

// Empty when `text` was read whole into `tips`; otherwise what is wrong, with
// its line number, and `tips` is left empty.
std::string importTips(std::string_view text, std::vector<StoredTip>& tips);

} // namespace help
