#include "runtime/files/field.h"

#include <limits>

#include "runtime/text/packed_decimal.h"
#include "runtime/text/strings.h"

namespace runtime::files {
namespace {

const unsigned char* at(const Field& field, const void* record) {
    return static_cast<const unsigned char*>(record) + field.offset;
}

unsigned char* at(const Field& field, void* record) {
    return static_cast<unsigned char*>(record) + field.offset;
}

uint64_t readLittleEndian(const unsigned char* bytes, uint32_t width) {
    uint64_t value = 0;
    for (uint32_t i = 0; i < width; ++i) {
        value |= static_cast<uint64_t>(bytes[i]) << (8 * i);
    }
    return value;
}

void writeLittleEndian(unsigned char* bytes, uint32_t width, uint64_t value) {
    for (uint32_t i = 0; i < width; ++i) {
        bytes[i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

template <typename T>
bool fits(int64_t value) {
    return value >= static_cast<int64_t>(std::numeric_limits<T>::min()) &&
           value <= static_cast<int64_t>(std::numeric_limits<T>::max());
}

} // namespace

uint32_t naturalWidth(FieldType type) {
    switch (type) {
    case FieldType::Byte:
        return 1;
    case FieldType::Short:
    case FieldType::UShort:
        return 2;
    case FieldType::Long:
    case FieldType::ULong:
    case FieldType::Date:
        return 4;
    case FieldType::String:
    case FieldType::Decimal:
        return 0;
    }
    return 0;
}

bool wellFormed(const Field& field) {
    switch (field.type) {
    case FieldType::String:
        return field.width > 0;
    case FieldType::Decimal:
        return field.digits > 0 && field.digits <= 18 && field.places <= field.digits &&
               field.width == static_cast<uint32_t>(field.digits / 2 + 1);
    default:
        return naturalWidth(field.type) != 0 && field.width == naturalWidth(field.type);
    }
}

int64_t readNumber(const Field& field, const void* record) {
    const unsigned char* bytes = at(field, record);
    switch (field.type) {
    case FieldType::Byte:
        return bytes[0];
    case FieldType::Short:
        return static_cast<int16_t>(readLittleEndian(bytes, 2));
    case FieldType::UShort:
        return static_cast<uint16_t>(readLittleEndian(bytes, 2));
    case FieldType::Long:
    case FieldType::Date:
        return static_cast<int32_t>(readLittleEndian(bytes, 4));
    case FieldType::ULong:
        return static_cast<uint32_t>(readLittleEndian(bytes, 4));
    case FieldType::Decimal:
        return text::decodePacked(bytes, field.width).value_or(0);
    case FieldType::String:
        return 0;
    }
    return 0;
}

std::string readText(const Field& field, const void* record) {
    if (field.type == FieldType::String) {
        return std::string(reinterpret_cast<const char*>(at(field, record)), field.width);
    }
    return std::to_string(readNumber(field, record));
}

bool writeNumber(const Field& field, void* record, int64_t value) {
    unsigned char* bytes = at(field, record);
    switch (field.type) {
    case FieldType::Byte:
        if (!fits<uint8_t>(value)) {
            return false;
        }
        bytes[0] = static_cast<unsigned char>(value);
        return true;
    case FieldType::Short:
        if (!fits<int16_t>(value)) {
            return false;
        }
        writeLittleEndian(bytes, 2, static_cast<uint64_t>(value));
        return true;
    case FieldType::UShort:
        if (!fits<uint16_t>(value)) {
            return false;
        }
        writeLittleEndian(bytes, 2, static_cast<uint64_t>(value));
        return true;
    case FieldType::Long:
    case FieldType::Date:
        if (!fits<int32_t>(value)) {
            return false;
        }
        writeLittleEndian(bytes, 4, static_cast<uint64_t>(value));
        return true;
    case FieldType::ULong:
        if (!fits<uint32_t>(value)) {
            return false;
        }
        writeLittleEndian(bytes, 4, static_cast<uint64_t>(value));
        return true;
    case FieldType::Decimal:
        return text::encodePacked(bytes, field.width, field.digits, value);
    case FieldType::String:
        return false;
    }
    return false;
}

void writeText(const Field& field, void* record, std::string_view value) {
    if (field.type == FieldType::String) {
        text::assignFixed(reinterpret_cast<char*>(at(field, record)), field.width, value);
    }
}

} // namespace runtime::files
