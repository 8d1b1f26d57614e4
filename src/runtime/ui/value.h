// A property value: a number or a text, read as either. Texts read as numbers
// by their leading decimal digits (with sign), numbers read as decimal text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace runtime::ui {

class Value {
public:
    Value() : value_(int64_t{0}) {}
    Value(int64_t number) : value_(number) {}                   // NOLINT: numbers convert implicitly
    Value(int32_t number) : value_(int64_t{number}) {}          // NOLINT
    Value(bool flag) : value_(int64_t{flag ? 1 : 0}) {}         // NOLINT
    Value(std::string text) : value_(std::move(text)) {}        // NOLINT: so do texts
    Value(std::string_view text) : value_(std::string(text)) {} // NOLINT
    Value(const char* text) : value_(std::string(text)) {}      // NOLINT

    bool isNumber() const { return std::holds_alternative<int64_t>(value_); }
    int64_t number() const;
    int32_t number32() const { return static_cast<int32_t>(number()); }
    bool flag() const { return number() != 0; }
    std::string text() const;

    friend bool operator==(const Value& a, const Value& b) = default;

private:
    std::variant<int64_t, std::string> value_;
};

// The leading decimal number of a text (blanks skipped, optional sign); 0 when
// there is none.
int64_t parseLeadingNumber(std::string_view text);

} // namespace runtime::ui
