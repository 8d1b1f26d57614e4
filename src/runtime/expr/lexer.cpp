#include "runtime/expr/lexer.h"

#include <utility>

#include "runtime/sys/errors.h"
#include "runtime/text/strings.h"

namespace runtime::expr {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool startsName(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool continuesName(char c) {
    return startsName(c) || isDigit(c) || c == ':';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

TokenKind keyword(std::string_view word) {
    if (text::equalNoCase(word, "AND")) {
        return TokenKind::And;
    }
    if (text::equalNoCase(word, "OR")) {
        return TokenKind::Or;
    }
    if (text::equalNoCase(word, "NOT")) {
        return TokenKind::Not;
    }
    if (text::equalNoCase(word, "UPPER")) {
        return TokenKind::Upper;
    }
    return TokenKind::Name;
}

} // namespace

Token Lexer::take() {
    Token token = std::move(current_);
    advance();
    return token;
}

void Lexer::advance() {
    while (next_ < source_.size() && isBlank(source_[next_])) {
        ++next_;
    }
    current_ = scan();
}

Token Lexer::scan() {
    size_t start = next_;
    Token token;
    token.position = start + 1;
    if (start == source_.size()) {
        return token;
    }
    char c = source_[start];
    size_t length = 1;
    if (startsName(c)) {
        while (start + length < source_.size() && continuesName(source_[start + length])) {
            ++length;
        }
        token.spelling = source_.substr(start, length);
        token.kind = keyword(token.spelling);
    } else if (isDigit(c) || c == '.') {
        bool point = false;
        bool digit = false;
        for (length = 0; start + length < source_.size(); ++length) {
            char d = source_[start + length];
            if (d == '.' && !point) {
                point = true;
            } else if (isDigit(d)) {
                digit = true;
            } else {
                break;
            }
        }
        if (!digit) {
            token.kind = TokenKind::Error;
            token.text = "Expected a digit";
            return token;
        }
        token.kind = TokenKind::Number;
        token.spelling = source_.substr(start, length);
    } else if (c == '\'') {
        return scanText(start);
    } else if (c == '<' || c == '>') {
        char n = start + 1 < source_.size() ? source_[start + 1] : '\0';
        if (n == '=' || (c == '<' && n == '>')) {
            length = 2;
        }
        token.kind = TokenKind::Compare;
        token.spelling = source_.substr(start, length);
    } else {
        switch (c) {
        case '=':
            token.kind = TokenKind::Compare;
            break;
        case '-':
            token.kind = TokenKind::Minus;
            break;
        case ',':
            token.kind = TokenKind::Comma;
            break;
        case '(':
            token.kind = TokenKind::Open;
            break;
        case ')':
            token.kind = TokenKind::Close;
            break;
        default:
            token.kind = TokenKind::Error;
            token.text = "Unexpected character";
            if (c > ' ' && c < 0x7f) {
                token.text.append(" '").append(1, c).append("'");
            }
            return token;
        }
        token.spelling = source_.substr(start, 1);
    }
    next_ = start + length;
    return token;
}

Token Lexer::scanText(size_t start) {
    Token token;
    token.position = start + 1;
    for (size_t i = start + 1; i < source_.size(); ++i) {
        if (source_[i] != '\'') {
            token.text.push_back(source_[i]);
        } else if (i + 1 < source_.size() && source_[i + 1] == '\'') {
            token.text.push_back('\'');
            ++i;
        } else {
            token.kind = TokenKind::Text;
            token.spelling = source_.substr(start, i + 1 - start);
            next_ = i + 1;
            return token;
        }
    }
    token.kind = TokenKind::Error;
    token.text = "Unterminated text";
    return token;
}

void reportSyntaxError(std::string_view what, size_t position) {
    std::string message(what);
    message.append(" at ").append(std::to_string(position));
    setError(err::InvalidExpression, message);
}

std::string describe(const Token& token) {
    switch (token.kind) {
    case TokenKind::End:
        return "end";
    case TokenKind::Text:
        return "text";
    case TokenKind::Number:
        return "number";
    case TokenKind::Name:
        return quoted(token.spelling);
    default:
        return quoted(text::upper(token.spelling));
    }
}

std::string quoted(std::string_view name) {
    constexpr size_t Longest = 40;
    std::string result = "'" + std::string(name.substr(0, Longest));
    return result.append(name.size() > Longest ? "...'" : "'");
}

} // namespace runtime::expr
