// The parsed form of an expression: a small tree whose leaves are literals and
// bound variables. AND and OR keep all their operands in one node, so a long
// chain of terms costs no depth, and the depth of the tree is bounded by the
// nesting the parser allows.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/expr/expression.h"
#include "runtime/expr/number.h"

namespace runtime::expr {

enum class Comparison : uint8_t { Equal, NotEqual, Less, Greater, LessOrEqual, GreaterOrEqual };

struct Expression::Node {
    enum class Kind : uint8_t {
        Always, // the blank expression
        Text,
        Number,
        Variable,
        Upper, // of a text variable; UPPER of a literal is raised while parsing
        Compare,
        Not,
        And,
        Or,
    };

    Kind kind = Kind::Always;
    size_t position = 0; // where it starts in the source, for error messages
    Comparison comparison = Comparison::Equal;
    std::string text;
    Number number;
    Binding binding;
    std::vector<std::unique_ptr<Node>> operands;

    bool isCondition() const {
        return kind == Kind::Always || kind == Kind::Compare || kind == Kind::Not || kind == Kind::And ||
               kind == Kind::Or;
    }
};

} // namespace runtime::expr
