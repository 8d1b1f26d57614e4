// A record with one field of every kind, bound for the expression tests.
#pragma once

#include <cstddef>
#include <vector>

#include "runtime/expr/bindings.h"
#include "runtime/text/fields.h"
#include "runtime/text/packed_decimal.h"

namespace expr_testing {

using namespace runtime;

struct Customer {
    text::Fixed<20> NAME;
    text::Long CUSTNO;
    text::Fixed<4> STATE;
    text::Fixed<5> ZIP;
    text::Fixed<10> CITY;
    text::Decimal<5, 1> RATE;
    text::Decimal<7, 2> BALANCE;
    text::Long SINCE; // a day number
    text::ULong VISITS;
    text::Short ROOM;
    text::Byte FLAGS;
};
static_assert(sizeof(Customer) == 20 + 4 + 4 + 5 + 10 + 3 + 4 + 4 + 4 + 2 + 1);

inline std::vector<files::Field> customerFields() {
    using files::FieldType;
    return {
        {"CUS:NAME", FieldType::String, offsetof(Customer, NAME), 20},
        {"CUS:CUSTNO", FieldType::Long, offsetof(Customer, CUSTNO), 4},
        {"CUS:STATE", FieldType::String, offsetof(Customer, STATE), 4},
        {"CUS:ZIP", FieldType::String, offsetof(Customer, ZIP), 5},
        {"CUS:CITY", FieldType::String, offsetof(Customer, CITY), 10},
        {"CUS:RATE", FieldType::Decimal, offsetof(Customer, RATE), 3, 5, 1},
        {"CUS:BALANCE", FieldType::Decimal, offsetof(Customer, BALANCE), 4, 7, 2},
        {"CUS:SINCE", FieldType::Date, offsetof(Customer, SINCE), 4},
        {"CUS:VISITS", FieldType::ULong, offsetof(Customer, VISITS), 4},
        {"CUS:ROOM", FieldType::Short, offsetof(Customer, ROOM), 2},
        {"CUS:FLAGS", FieldType::Byte, offsetof(Customer, FLAGS), 1},
    };
}

inline std::vector<expr::Binding> bindingsOf(const Customer& record) {
    std::vector<expr::Binding> bindings;
    for (const files::Field& field : customerFields()) {
        bindings.push_back({field, &record});
    }
    return bindings;
}

} // namespace expr_testing
