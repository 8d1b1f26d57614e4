#include <gtest/gtest.h>

#include "runtime/expr/expression.h"
#include "runtime/sys/errors.h"

namespace {

using runtime::expr::OrderComponent;
using runtime::expr::parseOrder;

struct Parsed {
    const char* text;
    std::vector<OrderComponent> expected;
};

TEST(OrderText, ComponentsWithDirectionAndCase) {
    const std::vector<Parsed> cases = {
        {"CUS:NAME", {{"CUS:NAME", false, false}}},
        {"UPPER(CUS:NAME)", {{"CUS:NAME", false, true}}},
        {"-CUS:CUSTNO", {{"CUS:CUSTNO", true, false}}},
        {"-UPPER(CUS:NAME)", {{"CUS:NAME", true, true}}},
        {"UPPER(CUS:NAME),-CUS:CUSTNO", {{"CUS:NAME", false, true}, {"CUS:CUSTNO", true, false}}},
        {"  upper ( RVH:ProcedureName ) ,\t- Upper(RVH:ControlName) , LOC:X1_y  ",
         {{"RVH:ProcedureName", false, true}, {"RVH:ControlName", true, true}, {"LOC:X1_y", false, false}}},
        {"", {}},
        {"   ", {}},
    };
    for (const Parsed& c : cases) {
        std::optional<std::vector<OrderComponent>> parsed = parseOrder(c.text);
        ASSERT_TRUE(parsed) << c.text << ": " << runtime::error();
        ASSERT_EQ(parsed->size(), c.expected.size()) << c.text;
        for (size_t i = 0; i < c.expected.size(); ++i) {
            EXPECT_EQ((*parsed)[i].name, c.expected[i].name) << c.text;
            EXPECT_EQ((*parsed)[i].descending, c.expected[i].descending) << c.text;
            EXPECT_EQ((*parsed)[i].upper, c.expected[i].upper) << c.text;
        }
    }
}

TEST(OrderText, JunkIsRefusedWithWhatAndWhere) {
    const std::vector<std::pair<const char*, const char*>> cases = {
        {",CUS:NAME", "Expected a name at 1"},
        {"CUS:NAME,", "Expected a name at 10"},
        {"CUS:NAME,,CUS:CUSTNO", "Expected a name at 10"},
        {"CUS:NAME CUS:CUSTNO", "Expected ',' or the end at 10"},
        {"--CUS:NAME", "Expected a name at 2"},
        {"+CUS:NAME", "Unexpected character '+' at 1"},
        {"UPPER CUS:NAME", "Expected '(' at 7"},
        {"UPPER(CUS:NAME", "Expected ')' at 15"},
        {"UPPER(-CUS:NAME)", "Expected a name at 7"},
        {"UPPER(UPPER(CUS:NAME))", "Expected a name at 7"},
        {"(CUS:NAME)", "Expected a name at 1"},
        {"'CUS:NAME'", "Expected a name at 1"},
        {"-5", "Expected a name at 2"},
        {"AND", "Expected a name at 1"},
        {"CUS:NAME = 1", "Expected ',' or the end at 10"},
        {"CUS:NAME;CUS:CUSTNO", "Unexpected character ';' at 9"},
    };
    for (const auto& [text, message] : cases) {
        runtime::clearError();
        EXPECT_FALSE(parseOrder(text)) << text;
        EXPECT_EQ(runtime::errorcode(), runtime::err::InvalidExpression) << text;
        EXPECT_EQ(runtime::error(), message) << text;
    }
}

} // namespace
