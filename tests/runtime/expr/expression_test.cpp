#include <gtest/gtest.h>

#include "customer_record.h"
#include "runtime/expr/expression.h"
#include "runtime/sys/errors.h"

namespace {

using namespace expr_testing;
using runtime::expr::Expression;

struct Case {
    const char* text;
    bool expected;
};

class ExpressionTest : public ::testing::Test {
protected:
    ExpressionTest() {
        record.NAME = "O'Brien";
        record.CUSTNO = 150;
        record.STATE = "NY";
        record.ZIP = "10001";
        record.RATE.set(125);      // 12.5
        record.BALANCE.set(-1234); // -12.34
        record.SINCE = 80000;
        record.VISITS = 4000000000u;
        record.ROOM = -7;
        record.FLAGS = 200;
    }

    bool evaluate(const char* text) {
        std::optional<Expression> expression = Expression::parse(text, bindingsOf(record));
        EXPECT_TRUE(expression) << text << ": " << runtime::error();
        return expression && expression->test();
    }

    void expectAll(const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            EXPECT_EQ(evaluate(c.text), c.expected) << c.text;
        }
    }

    Customer record;
};

TEST_F(ExpressionTest, ComparisonsBindTighterThanNotThenAndThenOr) {
    expectAll({
        {"CUS:CUSTNO = 150 OR CUS:CUSTNO = 1 AND CUS:STATE = 'XX'", true},
        {"(CUS:CUSTNO = 150 OR CUS:CUSTNO = 1) AND CUS:STATE = 'XX'", false},
        {"NOT CUS:CUSTNO = 1 AND CUS:STATE = 'XX'", false},
        {"NOT (CUS:CUSTNO = 1 AND CUS:STATE = 'XX')", true},
        {"NOT CUS:CUSTNO = 1 OR CUS:CUSTNO = 1 AND CUS:STATE = 'XX'", true},
        {"NOT NOT CUS:CUSTNO = 150", true},
        {"NOT NOT NOT CUS:CUSTNO = 150", false},
        {"CUS:CUSTNO = 1 OR CUS:CUSTNO = 2 OR CUS:CUSTNO = 150", true},
        {"CUS:CUSTNO = 150 AND CUS:STATE = 'NY' AND CUS:ZIP = '10002'", false},
        {"((CUS:CUSTNO) = (150))", true},
        {"cus:custno = 150 and not cus:state = 'CA' Or cus:custno = 1", true},
    });
}

TEST_F(ExpressionTest, TextComparesPaddedAndCaseSensitively) {
    expectAll({
        {"CUS:STATE = 'NY'", true},
        {"CUS:STATE = 'NY  '", true},
        {"'NY' = CUS:STATE", true},
        {"CUS:STATE = 'NY X'", false},
        {"CUS:STATE = 'ny'", false},
        {"UPPER(CUS:STATE) = UPPER('ny')", true},
        {"upper(CUS:STATE) = 'ny'", false},
        {"CUS:NAME = 'O''Brien'", true},
        {"CUS:NAME = 'O'''", false},
        {"UPPER(CUS:NAME) = UPPER('O''Brien') AND CUS:CUSTNO >= 100", true},
        {"UPPER(CUS:NAME) = 'O''BRIEN'", true},
        {"UPPER(UPPER(CUS:NAME)) = 'O''BRIEN'", true},
        {"CUS:NAME > 'O'", true},
        {"CUS:NAME < 'O''Briez'", true},
        {"CUS:NAME <> 'O''Brien'", false},
        {"CUS:CITY = ''", true},
        {"CUS:CITY < 'A'", true},
        {"'abc' < 'abd'", true},
        {"'' = ''''", false},
    });
}

TEST_F(ExpressionTest, NumbersCompareExactlyWhateverTheirPlaces) {
    expectAll({
        {"CUS:CUSTNO >= 100", true},
        {"CUS:CUSTNO < 150", false},
        {"CUS:CUSTNO = 150.0", true},
        {"CUS:CUSTNO = 150.5", false},
        {"CUS:CUSTNO < 150.5", true},
        {"CUS:CUSTNO > 149.999", true},
        {"CUS:CUSTNO < 999999999999999999", true},
        {"CUS:RATE = 12.5", true},
        {"CUS:RATE = 125", false},
        {"CUS:RATE = 12.50000", true},
        {"CUS:RATE > 12.49", true},
        {"CUS:RATE < 12.51", true},
        {"CUS:RATE <= 12", false},
        {"CUS:BALANCE = -12.34", true},
        {"CUS:BALANCE = - 12.34", true},
        {"CUS:BALANCE < -12.3", true},
        {"CUS:BALANCE > -12.35", true},
        {"CUS:BALANCE < 0", true},
        {"CUS:BALANCE > -.1", false},
        {"CUS:SINCE >= 80000", true},
        {"CUS:SINCE < 80000", false},
        {"CUS:VISITS > 3999999999", true},
        {"CUS:ROOM = -7", true},
        {"CUS:ROOM > -8", true},
        {"CUS:FLAGS = 200", true},
        {"0 = -0", true},
        {".5 = 0.50", true},
        {"-0.000000000000000001 < 0", true},
    });
}

TEST_F(ExpressionTest, TextAgainstNumberComparesNumericallyWhenItReadsAsOne) {
    expectAll({
        {"CUS:ZIP = 10001", true},
        {"CUS:ZIP > 9999", true}, // as text "10001" would sort before "9999"
        {"CUS:CUSTNO = '150'", true},
        {"CUS:CUSTNO = ' 150 '", true},
        {"'12.50' = CUS:RATE", true},
        {"CUS:CITY = 0", true},
        {"CUS:NAME = 0", false},
        {"CUS:NAME <> 0", true},
        {"UPPER(CUS:CUSTNO) = 150", true},
    });
}

TEST_F(ExpressionTest, EvaluationReadsTheVariablesAsTheyAreNow) {
    std::optional<Expression> filter =
        Expression::parse("UPPER(CUS:NAME) = 'SMITH' AND CUS:RATE >= 1.5", bindingsOf(record));
    ASSERT_TRUE(filter);
    EXPECT_FALSE(filter->test());
    record.NAME = "smith";
    record.RATE.set(15);
    EXPECT_TRUE(filter->test());
    record.RATE.set(14);
    EXPECT_FALSE(filter->test());
}

TEST_F(ExpressionTest, BlankExpressionAcceptsEveryRecord) {
    expectAll({{"", true}, {" \t\r\n ", true}});
}

TEST_F(ExpressionTest, ExtraNamesComeBeforeBoundOnes) {
    Customer other;
    other.CUSTNO = 7;
    runtime::expr::ScopedNames scope;
    runtime::expr::bindRecord(customerFields(), &other);
    EXPECT_TRUE(evaluate("CUS:CUSTNO = 150"));
    std::optional<Expression> viaScope = Expression::parse("cus:custno = 7");
    ASSERT_TRUE(viaScope);
    EXPECT_TRUE(viaScope->test());
}

TEST_F(ExpressionTest, LongFiltersParseAndEvaluate) {
    std::string text;
    while (text.size() < 70 * 1024) {
        text += "CUS:CUSTNO = 1 OR UPPER(CUS:NAME) = 'NOBODY' OR ";
    }
    text += "CUS:STATE = 'NY'";
    std::optional<Expression> filter = Expression::parse(text, bindingsOf(record));
    ASSERT_TRUE(filter) << runtime::error();
    EXPECT_TRUE(filter->test());
    record.STATE = "CA";
    EXPECT_FALSE(filter->test());
}

TEST_F(ExpressionTest, LiteralsReadBackAsTheValuesTheyWereMadeFrom) {
    for (const char* name : {"O'Brien", "'", "a''b'  ", "", "tab\there", "UPPER(x) = 'y'"}) {
        record.NAME = name;
        EXPECT_TRUE(evaluate(("CUS:NAME = " + runtime::expr::textLiteral(name)).c_str())) << name;
    }
    EXPECT_EQ(runtime::expr::textLiteral("O'Brien   "), "'O''Brien'");
    for (int64_t units : {-1234, -5, 0, 5, 120, 9999999, -9999999}) {
        record.BALANCE.set(units);
        EXPECT_TRUE(evaluate(("CUS:BALANCE = " + runtime::expr::numberLiteral(units, 2)).c_str())) << units;
    }
    EXPECT_EQ(runtime::expr::numberLiteral(-5, 2), "-0.05");
    EXPECT_EQ(runtime::expr::numberLiteral(120, 2), "1.2");
    EXPECT_EQ(runtime::expr::numberLiteral(4000000000), "4000000000");
}

} // namespace
