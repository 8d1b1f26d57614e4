// Run-time expressions, as view filters use them:
//   CUS:STATE = 'NY' AND (CUS:CUSTNO >= 100 OR NOT UPPER(CUS:NAME) < 'M')
// Operands: bound names, text literals in single quotes (a quote inside is
// doubled), numbers (an optional minus sign, digits, an optional fraction, at
// most 18 digits), UPPER(operand), parentheses. Comparisons: = <> < > <= >=.
// Logic: AND, OR, NOT. Comparisons bind tighter than NOT, NOT tighter than AND,
// AND tighter than OR, so NOT a = 1 OR b = 2 AND c = 3 is
// (NOT (a = 1)) OR ((b = 2) AND (c = 3)). Every term of AND, OR and NOT must be
// a comparison: a bare name is not a truth value. Keywords and names are
// case-insensitive. A blank expression is true for every record.
// Text compares as space-padded strings, case-sensitively unless UPPER is
// used. Numbers compare exactly, a Decimal field with its places (12.5 equals
// a Decimal<5,1> holding 125 units); Date fields are day numbers. Text
// compared with a number compares numerically when it reads as a number
// (blank reads as 0), otherwise as text against the number written out.
// Errors say what is wrong and at which 1-based character position, e.g.
// "Expected ')' at 17".
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/expr/bindings.h"

namespace runtime::expr {

class Expression {
public:
    // Parses `text`, resolving names first in `extra` and then through lookup().
    // A malformed expression or an unknown name gives nothing, with the runtime
    // error err::InvalidExpression set and a text saying what is wrong and where.
    static std::optional<Expression> parse(std::string_view text, const std::vector<Binding>& extra = {});

    // Evaluates with the current values of the bound variables.
    bool test() const;

    Expression(Expression&&) noexcept;
    Expression& operator=(Expression&&) noexcept;
    ~Expression();

    struct Node;

private:
    explicit Expression(std::unique_ptr<Node> root);
    std::unique_ptr<Node> root_;
};

// Literals for writing values into expression texts, so that what a filter
// builder writes reads back as the same value: text in quotes with inner quotes
// doubled and trailing blanks dropped ("'O''Brien'"); a number of units at
// `places` decimal places, the way Decimal fields hold it ("12.5", "-0.05").
std::string textLiteral(std::string_view value);
std::string numberLiteral(int64_t units, int places = 0);

// One component of an order expression: "CUS:NAME", "UPPER(CUS:NAME)",
// "-CUS:CUSTNO", separated by commas.
struct OrderComponent {
    std::string name;
    bool descending = false;
    bool upper = false;
};

// Nothing, with err::InvalidExpression set, when the text is malformed. A blank
// text is an empty order. Names are not resolved here: the view knows its fields.
std::optional<std::vector<OrderComponent>> parseOrder(std::string_view text);

} // namespace runtime::expr
