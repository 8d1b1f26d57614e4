// How a field sits in a record buffer: its type, offset and width. Shared by the
// keyed-file declarations, the keys, the views and the names bound for
// run-time expressions.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace runtime::files {

enum class FieldType : uint8_t {
    Byte = 1,    // unsigned 8-bit
    Short = 2,   // signed 16-bit little-endian
    UShort = 3,  // unsigned 16-bit little-endian
    Long = 4,    // signed 32-bit little-endian
    ULong = 5,   // unsigned 32-bit little-endian
    String = 6,  // fixed length, space padded
    Decimal = 7, // packed decimal (runtime/text/packed_decimal.h)
    Date = 8,    // day number, signed 32-bit little-endian
};

struct Field {
    std::string name; // as bound for expressions, e.g. "CUS:NAME"
    FieldType type = FieldType::String;
    uint32_t offset = 0;
    uint32_t width = 0; // bytes
    uint8_t digits = 0; // Decimal only
    uint8_t places = 0; // Decimal only

    bool isText() const { return type == FieldType::String; }
};

// The width in bytes that a field of this type must have (0 for String, whose
// width is its own, and for Decimal, whose width follows its digits).
uint32_t naturalWidth(FieldType type);
// True when the field's width agrees with its type and digits.
bool wellFormed(const Field& field);

// Numeric fields as a number (a Decimal in units, i.e. times 10^places);
// a String field reads as 0. Damaged packed bytes read as 0.
int64_t readNumber(const Field& field, const void* record);
// String fields as their bytes (not clipped); numbers as decimal text.
std::string readText(const Field& field, const void* record);
// Stores a number into a numeric field; false when it does not fit the type.
bool writeNumber(const Field& field, void* record, int64_t value);
// Stores text into a String field, cut or padded with spaces.
void writeText(const Field& field, void* record, std::string_view value);

} // namespace runtime::files
