// Run-time expressions, as view filters use them:
//   CUS:STATE = 'NY' AND (CUS:CUSTNO >= 100 OR NOT UPPER(CUS:NAME) < 'M')
// Operands: bound names, text literals in single quotes (a quote inside is
// doubled), numbers (an optional minus sign, digits, an optional fraction),
// UPPER(operand), parentheses. Comparisons: = <> < > <= >=. Logic: AND, OR, NOT
// (AND binds tighter than OR). Keywords and names are case-insensitive.
// Text compares as space-padded strings, case-sensitively unless UPPER is
// used; a comparison of text with a number compares numerically.
#pragma once

#include "runtime/expr/bindings.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// One component of an order expression: "CUS:NAME", "UPPER(CUS:NAME)",
// "-CUS:CUSTNO", separated by commas.
struct OrderComponent {
    std::string name;
    bool descending = false;
    bool upper = false;
};

// Nothing, with err::InvalidExpression set, when the text is malformed.
std::optional<std::vector<OrderComponent>> parseOrder(std::string_view text);

} // namespace runtime::expr
