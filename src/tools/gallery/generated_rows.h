// Rows for the gallery's list and the paging benchmark: customer-like rows
// made from their position alone, so a list can page through a million of
// them without any being stored, and any page costs the same to make.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/text/fields.h"
#include "runtime/text/packed_decimal.h"

namespace gallery {

struct Customer {
    runtime::text::Long number;
    runtime::text::Fixed<24> name;
    runtime::text::Fixed<18> city;
    runtime::text::Fixed<2> state;
    runtime::text::Fixed<14> phone;
    runtime::text::Decimal<9, 2> balance;
    runtime::text::Fixed<28> web;
};
static_assert(sizeof(Customer) == 4 + 24 + 18 + 2 + 14 + 5 + 28);

class GeneratedRows {
public:
    explicit GeneratedRows(size_t count) : count_(count) {}
    size_t count() const { return count_; }
    // Row `index` (0-based); the same index always gives the same row.
    Customer row(size_t index) const;

private:
    size_t count_;
};

} // namespace gallery
