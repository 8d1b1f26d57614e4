// Arbitrary bytes as a view filter and as an order text, against a record with
// a field of every kind. A filter that parses is evaluated, once as the record
// is and once with the record's bytes taken from the input, so damaged packed
// numbers and odd text reach the comparisons too.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "runtime/expr/expression.h"
#include "runtime/text/fields.h"
#include "runtime/text/packed_decimal.h"

namespace {

using namespace runtime;

struct Record {
    text::Fixed<20> NAME;
    text::Long CUSTNO;
    text::Fixed<2> STATE;
    text::Decimal<7, 2> BALANCE;
    text::Decimal<18, 18> RATIO;
    text::Long SINCE;
    text::ULong VISITS;
    text::Short ROOM;
    text::UShort FLOOR;
    text::Byte FLAGS;
};
static_assert(sizeof(Record) == 20 + 4 + 2 + 4 + 10 + 4 + 4 + 2 + 2 + 1);

std::vector<expr::Binding> bindingsOf(const Record& record) {
    using files::FieldType;
    const std::vector<files::Field> fields = {
        {"CUS:NAME", FieldType::String, offsetof(Record, NAME), 20},
        {"CUS:CUSTNO", FieldType::Long, offsetof(Record, CUSTNO), 4},
        {"CUS:STATE", FieldType::String, offsetof(Record, STATE), 2},
        {"CUS:BALANCE", FieldType::Decimal, offsetof(Record, BALANCE), 4, 7, 2},
        {"CUS:RATIO", FieldType::Decimal, offsetof(Record, RATIO), 10, 18, 18},
        {"CUS:SINCE", FieldType::Date, offsetof(Record, SINCE), 4},
        {"CUS:VISITS", FieldType::ULong, offsetof(Record, VISITS), 4},
        {"CUS:ROOM", FieldType::Short, offsetof(Record, ROOM), 2},
        {"CUS:FLOOR", FieldType::UShort, offsetof(Record, FLOOR), 2},
        {"CUS:FLAGS", FieldType::Byte, offsetof(Record, FLAGS), 1},
    };
    std::vector<expr::Binding> bindings;
    for (const files::Field& field : fields) {
        bindings.push_back({field, &record});
    }
    return bindings;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    Record record;
    record.NAME = "O'Brien";
    record.CUSTNO = 150;
    record.STATE = "NY";
    record.BALANCE.set(-1234);
    record.RATIO.set(999999999999999999);
    record.SINCE = 80000;
    record.VISITS = 4000000000u;
    record.ROOM = -7;
    record.FLOOR = 65535;
    record.FLAGS = 200;

    if (std::optional<expr::Expression> filter = expr::Expression::parse(input, bindingsOf(record))) {
        filter->test();
        std::memcpy(&record, data, std::min(size, sizeof(record)));
        filter->test();
    }
    expr::parseOrder(input);
    return 0;
}
