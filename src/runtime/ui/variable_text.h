// How controls show program variables and store what the user entered: text
// through the control's display picture (runtime/text/picture.h), numbers as
// the runtime's decimal numbers, so nothing goes through floating point.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/ui/definition.h"

namespace runtime::ui {

// The text shown for the variable: through the picture when there is one (an
// empty or unknown picture shows the plain value), without the blanks the
// picture pads with, since the control aligns the text itself.
std::string showVariable(const Variable& variable, std::string_view picture);

// Stores entered text into the variable; false, leaving it unchanged, when the
// picture refuses the text or the variable cannot hold the value exactly.
bool storeVariable(const Variable& variable, std::string_view picture, std::string_view entered);

// The variable as a number (text variables read as their leading number) and
// as text (numbers as plain decimal text), and the way back.
int64_t variableNumber(const Variable& variable);
void setVariableNumber(const Variable& variable, int64_t value);
std::string variableText(const Variable& variable);
void setVariableText(const Variable& variable, std::string_view value);

} // namespace runtime::ui
