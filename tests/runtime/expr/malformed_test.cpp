#include <gtest/gtest.h>

#include "customer_record.h"
#include "runtime/expr/expression.h"
#include "runtime/sys/errors.h"

namespace {

using namespace expr_testing;
using runtime::expr::Expression;

struct Refusal {
    std::string text;
    std::string message;
};

class MalformedExpression : public ::testing::Test {
protected:
    void expectRefused(const std::vector<Refusal>& cases) {
        for (const Refusal& c : cases) {
            runtime::clearError();
            std::string_view shown = std::string_view(c.text).substr(0, 60);
            EXPECT_FALSE(Expression::parse(c.text, bindingsOf(record))) << shown;
            EXPECT_EQ(runtime::errorcode(), runtime::err::InvalidExpression) << shown;
            EXPECT_EQ(runtime::error(), c.message) << shown;
        }
    }

    static std::string repeated(std::string_view piece, size_t times) {
        std::string text;
        for (size_t i = 0; i < times; ++i) {
            text += piece;
        }
        return text;
    }

    Customer record;
};

TEST_F(MalformedExpression, EachIsRefusedWithWhatAndWhere) {
    expectRefused({
        {"CUS:CUSTNO = ", "Expected an operand at 14"},
        {"(CUS:CUSTNO = 1", "Expected ')' at 16"},
        {"((CUS:CUSTNO = 1) AND CUS:STATE = 'NY'", "Expected ')' at 39"},
        {"CUS:CUSTNO = 1)", "Unexpected ')' at 15"},
        {"CUS:NAME = 'abc", "Unterminated text at 12"},
        {"CUS:NAME = 'abc''", "Unterminated text at 12"},
        {"CUS:CUSTNO", "Expected a comparison at 1"},
        {"CUS:CUSTNO = 1 AND CUS:NAME", "Expected a comparison at 20"},
        {"CUS:NAME OR CUS:CUSTNO = 1", "Expected a comparison at 1"},
        {"NOT CUS:CUSTNO", "Expected a comparison at 5"},
        {"(CUS:CUSTNO)", "Expected a comparison at 2"},
        {"CUS:CUSTNO = 1 = 2", "Unexpected '=' at 16"},
        {"CUS:CUSTNO = 1 CUS:STATE = 'NY'", "Unexpected 'CUS:STATE' at 16"},
        {"CUS:NAME = 'a' 'b'", "Unexpected text at 16"},
        {"(CUS:CUSTNO = 1) = 2", "Expected a value at 2"},
        {"CUS:CUSTNO = NOT 1", "Expected an operand at 14"},
        {"CUS:CUSTNO = -", "Expected a number at 15"},
        {"CUS:CUSTNO = -CUS:ROOM", "Expected a number at 15"},
        {"UPPER CUS:NAME = 'A'", "Expected '(' at 7"},
        {"UPPER(CUS:NAME = 'A')", "Expected ')' at 16"},
        {"UPPER() = 'A'", "Expected an operand at 7"},
        {"UPPER((CUS:CUSTNO = 1)) = 'A'", "Expected a value at 8"},
        {"CUS:CUSTNO # 1", "Unexpected character '#' at 12"},
        {"CUS:CUSTNO = 1 \x01", "Unexpected character at 16"},
        {"CUS:NAME = \xc3\xa9", "Unexpected character at 12"},
        {"CUS:CUSTNO == 1", "Expected an operand at 13"},
        {"CUS:CUSTNO =< 1", "Expected an operand at 13"},
        {"CUS:CUSTNO = 1 AND", "Expected an operand at 19"},
        {"AND CUS:CUSTNO = 1", "Expected an operand at 1"},
        {"CUS:CUSTNO = 1 OR OR CUS:CUSTNO = 2", "Expected an operand at 19"},
        {"()", "Expected an operand at 2"},
        {"CUS:CUSTNO = .", "Expected a digit at 14"},
        {"CUS:CUSTNO = 1.2.3", "Unexpected number at 17"},
        {"CUS:CUSTNO = 1234567890123456789", "Number out of range at 14"},
        {"CUS:CUSTNO = 0.0000000000000000001", "Number out of range at 14"},
        {"CUS:CUSTNO = 1, 2", "Unexpected ',' at 15"},
        {std::string("CUS:NAME = 'a\0b", 15), "Unterminated text at 12"},
        {std::string("CUS:CUSTNO = 1\0", 15), "Unexpected character at 15"},
    });
}

TEST_F(MalformedExpression, UnknownAndUnusableNamesAreRefused) {
    std::vector<runtime::expr::Binding> extra = bindingsOf(record);
    extra.push_back({{"BAD:LONG", runtime::files::FieldType::Long, 0, 2}, &record});
    extra.push_back({{"BAD:NOWHERE", runtime::files::FieldType::Long, 0, 4}, nullptr});
    const std::vector<Refusal> cases = {
        {"CUS:NOPE = 1", "Unknown name 'CUS:NOPE' at 1"},
        {"CUS:CUSTNO = 1 AND x = 2", "Unknown name 'x' at 20"},
        {"UPPER(CUSNAME) = 'A'", "Unknown name 'CUSNAME' at 7"},
        {"BAD:LONG = 1", "Unusable name 'BAD:LONG' at 1"},
        {"BAD:NOWHERE = 1", "Unusable name 'BAD:NOWHERE' at 1"},
        {repeated("N", 100) + " = 1", "Unknown name '" + repeated("N", 40) + "...' at 1"},
    };
    for (const Refusal& c : cases) {
        EXPECT_FALSE(Expression::parse(c.text, extra)) << c.text.substr(0, 60);
        EXPECT_EQ(runtime::error(), c.message);
    }
}

TEST_F(MalformedExpression, NestingIsLimitedWithoutExhaustingTheStack) {
    const std::string deepest = repeated("(", 200) + "CUS:CUSTNO = 0" + repeated(")", 200);
    ASSERT_TRUE(Expression::parse(deepest, bindingsOf(record))) << runtime::error();
    EXPECT_TRUE(Expression::parse(deepest, bindingsOf(record))->test());
    expectRefused({
        {repeated("(", 201) + "CUS:CUSTNO = 0" + repeated(")", 201), "Nesting deeper than 200 at 201"},
        {repeated("UPPER(", 201) + "CUS:NAME" + repeated(")", 201) + " = ''",
         "Nesting deeper than 200 at 1201"},
        {repeated("(", 1000000), "Nesting deeper than 200 at 201"},
        {repeated("NOT ", 200000) + "CUS:CUSTNO", "Expected a comparison at 800001"},
    });
    ASSERT_TRUE(Expression::parse(repeated("NOT ", 200000) + "CUS:CUSTNO = 0", bindingsOf(record)));
}

TEST_F(MalformedExpression, TextsBeyondOneMebibyteAreRefused) {
    std::string text = "CUS:NAME = '" + repeated("x", 1024 * 1024) + "'";
    expectRefused({{text, "Expression longer than 1048576 characters at 1048577"}});
}

} // namespace
