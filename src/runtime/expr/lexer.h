// The words of expressions and order texts. Positions are 1-based character
// positions, the way a person counts them in an error message.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace runtime::expr {

enum class TokenKind {
    End,
    Name,
    Text,   // a quoted literal; `text` holds it with doubled quotes undone
    Number, // digits with an optional fraction; the sign is a Minus token of its own
    Minus,
    Comma,
    Open,
    Close,
    Compare, // = <> < > <= >=
    And,
    Or,
    Not,
    Upper,
    Error, // `text` says what is wrong
};

struct Token {
    TokenKind kind = TokenKind::End;
    size_t position = 0;
    std::string_view spelling; // as written
    std::string text;          // Text: the literal's value; Error: the message
};

class Lexer {
public:
    explicit Lexer(std::string_view source) : source_(source) { advance(); }

    const Token& peek() const { return current_; }
    Token take();

private:
    void advance();
    Token scan();
    Token scanText(size_t start);

    std::string_view source_;
    size_t next_ = 0;
    Token current_;
};

// Sets err::InvalidExpression with "<what> at <position>".
void reportSyntaxError(std::string_view what, size_t position);

// How a token is named in an error message: "')'", "'AND'", "number".
std::string describe(const Token& token);
// A name in quotes for an error message, shortened when it is very long.
std::string quoted(std::string_view name);

} // namespace runtime::expr
