#include "runtime/ui/variable_text.h"

#include <optional>

#include "runtime/files/field.h"
#include "runtime/text/number.h"
#include "runtime/text/picture.h"
#include "runtime/text/strings.h"
#include "runtime/ui/value.h"

namespace runtime::ui {
namespace {

int placesOf(const Variable& variable) {
    return variable.field.type == files::FieldType::Decimal ? variable.field.places : 0;
}

text::Number numberOf(const Variable& variable) {
    return text::Number{files::readNumber(variable.field, variable.base), placesOf(variable)};
}

} // namespace

std::string showVariable(const Variable& variable, std::string_view picture) {
    if (!variable.bound()) {
        return {};
    }
    std::optional<text::Picture> parsed = text::Picture::parse(picture);
    if (variable.field.isText()) {
        std::string value(text::clip(files::readText(variable.field, variable.base)));
        return parsed ? std::string(text::trim(parsed->format(value))) : value;
    }
    text::Number value = numberOf(variable);
    return parsed ? std::string(text::trim(parsed->format(value))) : text::plainText(value);
}

bool storeVariable(const Variable& variable, std::string_view picture, std::string_view entered) {
    if (!variable.bound()) {
        return false;
    }
    std::optional<text::Picture> parsed = text::Picture::parse(picture);
    if (variable.field.isText()) {
        std::optional<std::string> value =
            parsed ? parsed->readText(entered) : std::string(text::clip(entered));
        if (!value) {
            return false;
        }
        files::writeText(variable.field, variable.base, *value);
        return true;
    }
    std::optional<text::Number> value = parsed ? parsed->readNumber(entered) : text::readPlainNumber(entered);
    if (!value) {
        return false;
    }
    std::optional<int64_t> units = text::rescaleExact(*value, placesOf(variable));
    return units && files::writeNumber(variable.field, variable.base, *units);
}

int64_t variableNumber(const Variable& variable) {
    if (!variable.bound()) {
        return 0;
    }
    if (variable.field.isText()) {
        return parseLeadingNumber(files::readText(variable.field, variable.base));
    }
    return files::readNumber(variable.field, variable.base);
}

void setVariableNumber(const Variable& variable, int64_t value) {
    if (!variable.bound()) {
        return;
    }
    if (variable.field.isText()) {
        files::writeText(variable.field, variable.base, std::to_string(value));
    } else {
        files::writeNumber(variable.field, variable.base, value);
    }
}

std::string variableText(const Variable& variable) {
    if (!variable.bound()) {
        return {};
    }
    if (variable.field.isText()) {
        return std::string(text::clip(files::readText(variable.field, variable.base)));
    }
    return text::plainText(numberOf(variable));
}

void setVariableText(const Variable& variable, std::string_view value) {
    if (!variable.bound()) {
        return;
    }
    if (variable.field.isText()) {
        files::writeText(variable.field, variable.base, value);
    } else if (std::optional<text::Number> number = text::readPlainNumber(value)) {
        if (std::optional<int64_t> units = text::rescale(*number, placesOf(variable))) {
            files::writeNumber(variable.field, variable.base, *units);
        }
    }
}

} // namespace runtime::ui
