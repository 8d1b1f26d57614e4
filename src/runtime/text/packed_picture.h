// Packed decimal fields shown and entered through display pictures.
#pragma once

#include <string>
#include <string_view>

#include "runtime/text/packed_decimal.h"
#include "runtime/text/picture.h"

namespace runtime::text {

// The field's display text; damaged bytes show as "#" rather than as a number
// that is not stored.
template <int Digits, int Places>
std::string format(const Picture& picture, const Decimal<Digits, Places>& field) {
    auto units = decodePacked(field.bytes.data(), field.bytes.size());
    if (!units) {
        return std::string(static_cast<size_t>(picture.width()), '#');
    }
    return picture.format(Number{*units, Places});
}

// Stores the entered value; false, leaving the field unchanged, when the
// picture refuses the text or the field cannot hold the value exactly (too
// many digits, or more decimal places than the field keeps).
template <int Digits, int Places>
bool readInto(const Picture& picture, std::string_view entered, Decimal<Digits, Places>& field) {
    auto value = picture.readNumber(entered);
    if (!value) {
        return false;
    }
    auto units = rescaleExact(*value, Places);
    return units && field.set(*units);
}

} // namespace runtime::text
