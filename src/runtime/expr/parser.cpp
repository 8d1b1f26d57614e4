// Recursive descent over the grammar in expression.h:
//   condition  := conjunction { OR conjunction }
//   conjunction:= negation { AND negation }
//   negation   := { NOT } comparison
//   comparison := operand [ ( = | <> | < | > | <= | >= ) operand ]
//   operand    := name | 'text' | [-]number | UPPER ( operand ) | ( condition )
// A parenthesised part may be a value or a condition; the rules above decide
// which one each place needs, and a mismatch is a syntax error rather than a
// silent truth test.
#include <utility>

#include "runtime/expr/lexer.h"
#include "runtime/expr/node.h"
#include "runtime/text/strings.h"

namespace runtime::expr {
namespace {

using Node = Expression::Node;
using NodePtr = std::unique_ptr<Node>;

// Deeper nesting than any real filter needs; it keeps the parser's and the
// evaluator's recursion far from the end of a 1 MiB thread stack.
constexpr int MaxNesting = 200;
constexpr size_t MaxLength = 1024 * 1024;

NodePtr makeNode(Node::Kind kind, size_t position) {
    auto node = std::make_unique<Node>();
    node->kind = kind;
    node->position = position;
    return node;
}

Comparison comparisonOf(std::string_view spelling) {
    if (spelling == "=") {
        return Comparison::Equal;
    }
    if (spelling == "<>") {
        return Comparison::NotEqual;
    }
    if (spelling == "<") {
        return Comparison::Less;
    }
    if (spelling == ">") {
        return Comparison::Greater;
    }
    return spelling == "<=" ? Comparison::LessOrEqual : Comparison::GreaterOrEqual;
}

class Parser {
public:
    Parser(std::string_view source, const std::vector<Binding>& extra) : lexer_(source), extra_(extra) {}

    NodePtr parseWhole() {
        NodePtr root = parseCondition();
        if (!root) {
            return nullptr;
        }
        const Token& next = lexer_.peek();
        if (next.kind != TokenKind::End) {
            return fail(next.kind == TokenKind::Error ? next.text : "Unexpected " + describe(next),
                        next.position);
        }
        return requireCondition(std::move(root));
    }

private:
    NodePtr parseCondition() { return parseChain(TokenKind::Or, Node::Kind::Or, &Parser::parseConjunction); }

    NodePtr parseConjunction() { return parseChain(TokenKind::And, Node::Kind::And, &Parser::parseNegation); }

    NodePtr parseChain(TokenKind joiner, Node::Kind kind, NodePtr (Parser::*parseTerm)()) {
        NodePtr first = (this->*parseTerm)();
        if (!first || lexer_.peek().kind != joiner) {
            return first;
        }
        if (!(first = requireCondition(std::move(first)))) {
            return nullptr;
        }
        NodePtr chain = makeNode(kind, first->position);
        chain->operands.push_back(std::move(first));
        while (lexer_.peek().kind == joiner) {
            lexer_.take();
            NodePtr term = requireCondition((this->*parseTerm)());
            if (!term) {
                return nullptr;
            }
            chain->operands.push_back(std::move(term));
        }
        return chain;
    }

    // NOT NOT x is x, so a run of NOTs becomes at most one node.
    NodePtr parseNegation() {
        size_t position = lexer_.peek().position;
        bool negate = false;
        bool any = false;
        while (lexer_.peek().kind == TokenKind::Not) {
            lexer_.take();
            negate = !negate;
            any = true;
        }
        NodePtr operand = parseComparison();
        if (!any || !operand) {
            return operand;
        }
        if (!(operand = requireCondition(std::move(operand))) || !negate) {
            return operand;
        }
        NodePtr node = makeNode(Node::Kind::Not, position);
        node->operands.push_back(std::move(operand));
        return node;
    }

    NodePtr parseComparison() {
        NodePtr left = parseOperand();
        if (!left || lexer_.peek().kind != TokenKind::Compare) {
            return left;
        }
        if (!(left = requireValue(std::move(left)))) {
            return nullptr;
        }
        NodePtr node = makeNode(Node::Kind::Compare, left->position);
        node->comparison = comparisonOf(lexer_.take().spelling);
        NodePtr right = requireValue(parseOperand());
        if (!right) {
            return nullptr;
        }
        node->operands.push_back(std::move(left));
        node->operands.push_back(std::move(right));
        return node;
    }

    NodePtr parseOperand() {
        Token token = lexer_.take();
        switch (token.kind) {
        case TokenKind::Name:
            return variable(token);
        case TokenKind::Text: {
            NodePtr node = makeNode(Node::Kind::Text, token.position);
            node->text = std::move(token.text);
            return node;
        }
        case TokenKind::Number:
            return number(token, false);
        case TokenKind::Minus: {
            Token digits = lexer_.take();
            if (digits.kind != TokenKind::Number) {
                return fail("Expected a number", digits.position);
            }
            return number(digits, true);
        }
        case TokenKind::Upper:
            return upper(token.position);
        case TokenKind::Open:
            return parenthesised(token.position);
        case TokenKind::Error:
            return fail(token.text, token.position);
        default:
            return fail("Expected an operand", token.position);
        }
    }

    NodePtr variable(const Token& token) {
        std::optional<Binding> binding = resolve(token.spelling);
        if (!binding) {
            return fail("Unknown name " + quoted(token.spelling), token.position);
        }
        if (!binding->base || !files::wellFormed(binding->field)) {
            return fail("Unusable name " + quoted(token.spelling), token.position);
        }
        NodePtr node = makeNode(Node::Kind::Variable, token.position);
        node->binding = std::move(*binding);
        return node;
    }

    std::optional<Binding> resolve(std::string_view name) const {
        for (const Binding& binding : extra_) {
            if (text::equalNoCase(binding.field.name, name)) {
                return binding;
            }
        }
        return lookup(name);
    }

    NodePtr number(const Token& token, bool negative) {
        std::optional<Number> value = parseNumber(token.spelling);
        if (!value) {
            return fail("Number out of range", token.position);
        }
        NodePtr node = makeNode(Node::Kind::Number, token.position);
        node->number = *value;
        if (negative) {
            node->number.units = -node->number.units;
        }
        return node;
    }

    // Numbers have no case, so UPPER leaves them as they are.
    NodePtr upper(size_t position) {
        const Token& open = lexer_.peek();
        if (open.kind != TokenKind::Open) {
            return fail("Expected '('", open.position);
        }
        lexer_.take();
        if (!enter(position)) {
            return nullptr;
        }
        NodePtr operand = requireValue(parseOperand());
        if (!operand || !expectClose()) {
            return nullptr;
        }
        --depth_;
        if (operand->kind == Node::Kind::Text) {
            operand->text = text::upper(operand->text);
            return operand;
        }
        if (operand->kind == Node::Kind::Upper || operand->kind == Node::Kind::Number ||
            (operand->kind == Node::Kind::Variable && !operand->binding.field.isText())) {
            return operand;
        }
        NodePtr node = makeNode(Node::Kind::Upper, position);
        node->operands.push_back(std::move(operand));
        return node;
    }

    NodePtr parenthesised(size_t position) {
        if (!enter(position)) {
            return nullptr;
        }
        NodePtr inner = parseCondition();
        if (!inner || !expectClose()) {
            return nullptr;
        }
        --depth_;
        return inner;
    }

    bool enter(size_t position) {
        if (++depth_ > MaxNesting) {
            fail("Nesting deeper than " + std::to_string(MaxNesting), position);
            return false;
        }
        return true;
    }

    bool expectClose() {
        const Token& next = lexer_.peek();
        if (next.kind != TokenKind::Close) {
            fail(next.kind == TokenKind::Error ? next.text : "Expected ')'", next.position);
            return false;
        }
        lexer_.take();
        return true;
    }

    NodePtr requireCondition(NodePtr node) {
        if (node && !node->isCondition()) {
            return fail("Expected a comparison", node->position);
        }
        return node;
    }

    NodePtr requireValue(NodePtr node) {
        if (node && node->isCondition()) {
            return fail("Expected a value", node->position);
        }
        return node;
    }

    NodePtr fail(std::string_view what, size_t position) {
        reportSyntaxError(what, position);
        return nullptr;
    }

    Lexer lexer_;
    const std::vector<Binding>& extra_;
    int depth_ = 0;
};

bool blankSource(std::string_view text) {
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

} // namespace

std::optional<Expression> Expression::parse(std::string_view text, const std::vector<Binding>& extra) {
    if (text.size() > MaxLength) {
        reportSyntaxError("Expression longer than " + std::to_string(MaxLength) + " characters",
                          MaxLength + 1);
        return std::nullopt;
    }
    if (blankSource(text)) {
        return Expression(makeNode(Node::Kind::Always, 1));
    }
    NodePtr root = Parser(text, extra).parseWhole();
    if (!root) {
        return std::nullopt;
    }
    return Expression(std::move(root));
}

Expression::Expression(std::unique_ptr<Node> root) : root_(std::move(root)) {}
Expression::Expression(Expression&&) noexcept = default;
Expression& Expression::operator=(Expression&&) noexcept = default;
Expression::~Expression() = default;

} // namespace runtime::expr
