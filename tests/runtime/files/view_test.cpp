// Views: orders from keys both ways, filters over the file's fields and bound
// names, paging from positions and from leading key values, refused texts.
#include <gtest/gtest.h>

#include "customer.h"
#include "runtime/expr/bindings.h"
#include "runtime/files/view.h"
#include "runtime/sys/errors.h"

namespace files_test {
namespace {

using namespace runtime::files;
namespace err = runtime::err;

class CustomerView : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(file.create());
        ASSERT_TRUE(file.open(mode::ReadWrite | mode::DenyNone));
        const char* names[] = {"adams", "Baker", "CLARK", "davis", "Evans", "Adams"};
        const char* states[] = {"NY", "CA", "NY", "TX", "NY", "CA"};
        for (int i = 0; i < 6; ++i) {
            file.clear();
            rec.CUSTNO = (i + 1) * 10;
            rec.NAME = names[i];
            rec.STATE = states[i];
            ASSERT_TRUE(file.add());
        }
    }
    std::vector<int32_t> read(View& v, bool forward = true) {
        std::vector<int32_t> out;
        while (forward ? v.next() : v.previous()) {
            out.push_back(rec.CUSTNO.get());
        }
        EXPECT_EQ(runtime::errorcode(), err::NoRecord);
        return out;
    }
    TempDir dir;
    CustomerRecord rec{};
    KeyedFile file{customerDeclaration(dir.file("Customer.dat")), &rec};
};

TEST_F(CustomerView, OrdersComeFromKeysInEitherDirection) {
    View v(file);
    struct Case {
        const char* order;
        std::vector<int32_t> expected;
    } cases[] = {
        {"CUS:CUSTNO", {10, 20, 30, 40, 50, 60}},
        {"-CUS:CUSTNO", {60, 50, 40, 30, 20, 10}},
        {"UPPER(CUS:NAME)", {10, 60, 20, 30, 40, 50}},
        {"-UPPER(cus:name)", {50, 40, 30, 20, 60, 10}},
        {"", {10, 20, 30, 40, 50, 60}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(v.setOrder(c.order)) << c.order;
        ASSERT_TRUE(v.open());
        EXPECT_EQ(read(v), c.expected) << c.order;
        ASSERT_TRUE(v.set());
        std::vector<int32_t> backward(c.expected.rbegin(), c.expected.rend());
        EXPECT_EQ(read(v, false), backward) << c.order;
    }
    for (const char* refused : {"CUS:NAME", "CUS:CITY", "UPPER(CUS:NAME", "CUS:CUSTNO,,"}) {
        EXPECT_FALSE(v.setOrder(refused)) << refused;
        EXPECT_EQ(runtime::errorcode(), err::InvalidExpression) << refused;
    }
}

TEST_F(CustomerView, FiltersSkipRecordsAndMalformedOnesAreRefused) {
    View v(file);
    ASSERT_TRUE(v.setOrder("UPPER(CUS:NAME)"));
    ASSERT_TRUE(v.setFilter("CUS:STATE = 'NY' AND NOT UPPER(CUS:NAME) = 'CLARK'"));
    ASSERT_TRUE(v.open());
    EXPECT_EQ(read(v), (std::vector<int32_t>{10, 50}));
    EXPECT_EQ(rec.CUSTNO.get(), 50) << "the buffer keeps the last record the filter let through";
    runtime::text::Fixed<2> wanted("CA");
    runtime::expr::ScopedNames scope;
    runtime::expr::bind(Field{"WANTED", FieldType::String, 0, 2}, &wanted);
    ASSERT_TRUE(v.setFilter("CUS:STATE = WANTED OR CUS:CUSTNO >= 40"));
    ASSERT_TRUE(v.set());
    EXPECT_EQ(read(v), (std::vector<int32_t>{60, 20, 40, 50}));
    for (const char* bad : {"CUS:STATE = ", "(CUS:CUSTNO > 1", "NOSUCH = 1", "CUS:NAME = 'open"}) {
        EXPECT_FALSE(v.setFilter(bad)) << bad;
        EXPECT_EQ(runtime::errorcode(), err::InvalidExpression) << bad;
    }
    ASSERT_TRUE(v.set());
    EXPECT_EQ(read(v).size(), 4u) << "a refused filter leaves the one before";
}

TEST_F(CustomerView, PagesStartAtPositionsAndLeadingValues) {
    View v(file);
    ASSERT_TRUE(v.setOrder("UPPER(CUS:NAME)"));
    v.setBuffering(20, 2, 0, 60);
    ASSERT_TRUE(v.open());
    rec.NAME = "c";
    ASSERT_TRUE(v.resetTo(1));
    EXPECT_EQ(read(v), (std::vector<int32_t>{30, 40, 50}));
    rec.NAME = "c";
    ASSERT_TRUE(v.resetTo(1));
    EXPECT_EQ(read(v, false), (std::vector<int32_t>{20, 60, 10}));
    ASSERT_TRUE(v.set());
    ASSERT_TRUE(v.next());
    ASSERT_TRUE(v.next());
    std::string at = v.position();
    ASSERT_TRUE(v.reset(at));
    EXPECT_EQ(read(v), (std::vector<int32_t>{60, 20, 30, 40, 50}));
    ASSERT_TRUE(v.reset(at));
    EXPECT_EQ(read(v, false), (std::vector<int32_t>{60, 10}));
}

} // namespace
} // namespace files_test
