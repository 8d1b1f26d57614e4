#include <gtest/gtest.h>
#include <thread>

#include "customer_record.h"
#include "runtime/expr/expression.h"

namespace {

using namespace expr_testing;
using namespace runtime::expr;
using runtime::files::Field;
using runtime::files::FieldType;

// Every test uses names of its own: the process-wide scope outlives tests.
Field longNamed(const char* name) {
    return {name, FieldType::Long, 0, 4};
}

const void* boundTo(std::string_view name) {
    std::optional<Binding> found = lookup(name);
    return found ? found->base : nullptr;
}

template <typename Work>
void onAnotherThread(Work work) {
    std::thread thread(work);
    thread.join();
}

TEST(BoundNames, InnerScopesHideOuterOnesUntilTheyClose) {
    int outer = 0;
    int inner = 0;
    ASSERT_EQ(scopeDepth(), 0u);
    openScope();
    bind(longNamed("Nest:Value"), &outer);
    openScope();
    EXPECT_EQ(boundTo("Nest:Value"), &outer);
    bind(longNamed("NEST:VALUE"), &inner);
    EXPECT_EQ(boundTo("nest:value"), &inner);
    EXPECT_EQ(scopeDepth(), 2u);
    closeScope();
    EXPECT_EQ(boundTo("Nest:Value"), &outer);
    closeScope();
    EXPECT_EQ(boundTo("Nest:Value"), nullptr);
    closeScope();
    EXPECT_EQ(scopeDepth(), 0u);
}

TEST(BoundNames, RebindingInTheSameScopeReplaces) {
    int first = 0;
    int second = 0;
    ScopedNames scope;
    bind(longNamed("Rebind:Value"), &first);
    bind({"REBIND:VALUE", FieldType::String, 2, 8}, &second);
    std::optional<Binding> found = lookup("Rebind:Value");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->base, &second);
    EXPECT_EQ(found->field.type, FieldType::String);
    EXPECT_EQ(found->field.offset, 2u);
}

TEST(BoundNames, WithoutAScopeNamesGoToTheProcessWideScope) {
    int global = 0;
    int local = 0;
    bind(longNamed("Global:Value"), &global);
    onAnotherThread([&] {
        EXPECT_EQ(boundTo("Global:Value"), &global);
        ScopedNames scope;
        bind(longNamed("Global:Value"), &local);
        EXPECT_EQ(boundTo("Global:Value"), &local);
    });
    EXPECT_EQ(boundTo("Global:Value"), &global);
    ScopedNames scope;
    int later = 0;
    bindGlobal(longNamed("Global:Later"), &later);
    EXPECT_EQ(boundTo("Global:Later"), &later);
    onAnotherThread([&] { EXPECT_EQ(boundTo("Global:Later"), &later); });
}

TEST(BoundNames, ScopesBelongToTheirThreadAndDieWithIt) {
    int value = 0;
    ScopedNames mine;
    bind(longNamed("Thread:Mine"), &value);
    // Many threads, and names too long to fit in a string's own bytes, so that
    // tearing the scopes down from freed storage would not go unnoticed.
    for (int round = 0; round < 20; ++round) {
        onAnotherThread([&] {
            EXPECT_EQ(scopeDepth(), 0u);
            EXPECT_EQ(boundTo("Thread:Mine"), nullptr);
            closeScope();
            openScope();
            bind(longNamed("Thread:Leaked:With:A:Name:Longer:Than:Any:Small:String"), &value);
            openScope();
            bindRecord(customerFields(), &value);
        });
    }
    EXPECT_EQ(scopeDepth(), 1u);
    EXPECT_EQ(boundTo("Thread:Leaked:With:A:Name:Longer:Than:Any:Small:String"), nullptr);
    EXPECT_EQ(boundTo("CUS:NAME"), nullptr);
    onAnotherThread([&] { EXPECT_EQ(scopeDepth(), 0u); });
}

TEST(BoundNames, ThreadsBindAndLookUpAtTheSameTime) {
    std::vector<std::thread> threads;
    std::vector<int> values(4);
    for (size_t t = 0; t < values.size(); ++t) {
        threads.emplace_back([&values, t] {
            for (int i = 0; i < 200; ++i) {
                ScopedNames scope;
                bind(longNamed("Race:Local"), &values[t]);
                bindGlobal(longNamed(t % 2 ? "Race:Odd" : "Race:Even"), &values[t]);
                EXPECT_EQ(boundTo("Race:Local"), &values[t]);
                EXPECT_NE(boundTo(t % 2 ? "Race:Odd" : "Race:Even"), nullptr);
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
}

TEST(BoundNames, AParsedExpressionKeepsItsVariablesAfterTheScopeCloses) {
    Customer record;
    record.CUSTNO = 42;
    std::optional<Expression> filter;
    {
        ScopedNames scope;
        bindRecord(customerFields(), &record);
        EXPECT_EQ(boundTo(" cus:Custno "), &record);
        filter = Expression::parse("CUS:CUSTNO = 42 AND CUS:STATE = ''");
        ASSERT_TRUE(filter);
    }
    EXPECT_FALSE(lookup("CUS:CUSTNO"));
    EXPECT_FALSE(Expression::parse("CUS:CUSTNO = 42"));
    EXPECT_TRUE(filter->test());
    record.CUSTNO = 43;
    EXPECT_FALSE(filter->test());
}

} // namespace
