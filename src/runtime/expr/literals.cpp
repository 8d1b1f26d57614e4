#include "runtime/expr/expression.h"
#include "runtime/expr/number.h"
#include "runtime/text/strings.h"

namespace runtime::expr {

std::string textLiteral(std::string_view value) {
    return "'" + text::replaceAll(text::clip(value), "'", "''") + "'";
}

std::string numberLiteral(int64_t units, int places) {
    places = places < 0 ? 0 : (places > MaxDigits ? MaxDigits : places);
    return formatNumber(Number{units, static_cast<uint8_t>(places)});
}

} // namespace runtime::expr
