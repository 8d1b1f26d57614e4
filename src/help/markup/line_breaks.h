// Where the tip's text box may end a line inside a paragraph, following the
// text box's own rules (pairs of character classes, with a few rules that look
// back over blanks).
#pragma once

#include <string_view>
#include <vector>

namespace help {

// Element i (0 < i < text.size()) is true when a line may break before
// text[i]; elements 0 and text.size() are false.
std::vector<bool> breakOpportunities(std::string_view text);

} // namespace help
