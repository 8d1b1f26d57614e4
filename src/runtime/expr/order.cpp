// Order texts: "UPPER(CUS:NAME),-CUS:CUSTNO". Each component is a name,
// optionally raised with UPPER and optionally preceded by "-" for descending.
#include "runtime/expr/expression.h"
#include "runtime/expr/lexer.h"

namespace runtime::expr {
namespace {

std::optional<std::vector<OrderComponent>> refuse(const Token& token, std::string_view expected) {
    reportSyntaxError(token.kind == TokenKind::Error ? std::string_view(token.text) : expected,
                      token.position);
    return std::nullopt;
}

} // namespace

std::optional<std::vector<OrderComponent>> parseOrder(std::string_view text) {
    std::vector<OrderComponent> components;
    Lexer lexer(text);
    if (lexer.peek().kind == TokenKind::End) {
        return components;
    }
    while (true) {
        OrderComponent component;
        if (lexer.peek().kind == TokenKind::Minus) {
            lexer.take();
            component.descending = true;
        }
        if (lexer.peek().kind == TokenKind::Upper) {
            lexer.take();
            if (lexer.peek().kind != TokenKind::Open) {
                return refuse(lexer.peek(), "Expected '('");
            }
            lexer.take();
            component.upper = true;
        }
        if (lexer.peek().kind != TokenKind::Name) {
            return refuse(lexer.peek(), "Expected a name");
        }
        component.name = lexer.take().spelling;
        if (component.upper) {
            if (lexer.peek().kind != TokenKind::Close) {
                return refuse(lexer.peek(), "Expected ')'");
            }
            lexer.take();
        }
        components.push_back(std::move(component));
        if (lexer.peek().kind == TokenKind::End) {
            return components;
        }
        if (lexer.peek().kind != TokenKind::Comma) {
            return refuse(lexer.peek(), "Expected ',' or the end");
        }
        lexer.take();
    }
}

} // namespace runtime::expr
