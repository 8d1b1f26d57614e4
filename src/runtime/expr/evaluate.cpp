// Evaluation against the current contents of the bound variables.
//
// How values compare:
// - text with text: as space-padded strings, byte by byte, case-sensitively
//   (UPPER raises a side to capitals first);
// - number with number: exactly, whatever their decimal places, so 12.5 equals
//   a Decimal field with one place holding 125 units; Date fields are day
//   numbers;
// - text with a number: numerically when the text reads as a number (blank text
//   reads as 0, blanks around it are ignored); otherwise the number is written
//   out ("12.5") and the two compare as text, so a name never equals 0.
#include "runtime/expr/node.h"
#include "runtime/text/strings.h"

namespace runtime::expr {
namespace {

using Node = Expression::Node;

class Value {
public:
    static Value ofText(std::string_view text) {
        Value v;
        v.isText_ = true;
        v.view_ = text;
        return v;
    }
    static Value ofOwnedText(std::string text) {
        Value v;
        v.isText_ = true;
        v.owned_ = std::move(text);
        v.usesOwned_ = true;
        return v;
    }
    static Value ofNumber(Number number) {
        Value v;
        v.number_ = number;
        return v;
    }

    bool isText() const { return isText_; }
    std::string_view text() const { return usesOwned_ ? std::string_view(owned_) : view_; }
    Number number() const { return number_; }

private:
    bool isText_ = false;
    bool usesOwned_ = false;
    std::string_view view_;
    std::string owned_;
    Number number_;
};

std::optional<Number> textAsNumber(std::string_view text) {
    std::string_view trimmed = text::trim(text);
    if (trimmed.empty()) {
        return Number{};
    }
    return parseNumber(trimmed);
}

Value variableValue(const Binding& binding) {
    const files::Field& field = binding.field;
    if (field.isText()) {
        return Value::ofText({static_cast<const char*>(binding.base) + field.offset, field.width});
    }
    uint8_t places = field.type == files::FieldType::Decimal ? field.places : 0;
    return Value::ofNumber(Number{files::readNumber(field, binding.base), places});
}

Value evaluateValue(const Node& node) {
    switch (node.kind) {
    case Node::Kind::Text:
        return Value::ofText(node.text);
    case Node::Kind::Number:
        return Value::ofNumber(node.number);
    case Node::Kind::Variable:
        return variableValue(node.binding);
    case Node::Kind::Upper:
        return Value::ofOwnedText(text::upper(evaluateValue(*node.operands[0]).text()));
    default:
        return Value::ofNumber({});
    }
}

int compareMixed(std::string_view text, Number number) {
    if (std::optional<Number> read = textAsNumber(text)) {
        return compareNumbers(*read, number);
    }
    return text::comparePadded(text, formatNumber(number));
}

int compareValues(const Value& a, const Value& b) {
    if (a.isText() && b.isText()) {
        return text::comparePadded(a.text(), b.text());
    }
    if (!a.isText() && !b.isText()) {
        return compareNumbers(a.number(), b.number());
    }
    return a.isText() ? compareMixed(a.text(), b.number()) : -compareMixed(b.text(), a.number());
}

bool holds(Comparison comparison, int order) {
    switch (comparison) {
    case Comparison::Equal:
        return order == 0;
    case Comparison::NotEqual:
        return order != 0;
    case Comparison::Less:
        return order < 0;
    case Comparison::Greater:
        return order > 0;
    case Comparison::LessOrEqual:
        return order <= 0;
    case Comparison::GreaterOrEqual:
        return order >= 0;
    }
    return false;
}

bool evaluateCondition(const Node& node) {
    switch (node.kind) {
    case Node::Kind::Always:
        return true;
    case Node::Kind::Compare:
        return holds(node.comparison,
                     compareValues(evaluateValue(*node.operands[0]), evaluateValue(*node.operands[1])));
    case Node::Kind::Not:
        return !evaluateCondition(*node.operands[0]);
    case Node::Kind::And:
        for (const auto& operand : node.operands) {
            if (!evaluateCondition(*operand)) {
                return false;
            }
        }
        return true;
    case Node::Kind::Or:
        for (const auto& operand : node.operands) {
            if (evaluateCondition(*operand)) {
                return true;
            }
        }
        return false;
    default:
        return false;
    }
}

} // namespace

bool Expression::test() const {
    return root_ && evaluateCondition(*root_);
}

} // namespace runtime::expr
