// The customer file: its record buffer's byte layout and its declaration for
// the keyed-file driver. The demo's file manager, the keyed-file tests and the
// storage benchmark all work on this one file.
#pragma once

#include <string>

#include "runtime/files/declaration.h"
#include "runtime/text/fields.h"
#include "runtime/text/packed_decimal.h"

namespace app {

struct CustomerRecord {
    runtime::text::Long CUSTNO;
    runtime::text::Fixed<30> NAME;
    runtime::text::Fixed<30> ADDRESS;
    runtime::text::Fixed<20> CITY;
    runtime::text::Fixed<2> STATE;
    runtime::text::Decimal<5> ZIP;
    runtime::text::Decimal<11> PHONE;
    runtime::text::Fixed<20> CONTACT;
};
static_assert(sizeof(CustomerRecord) == 115);

inline constexpr const char* CustomerFileName = "Customer.dat";

// Key numbers in the declaration's key order.
inline constexpr int CustomerByNumber = 0;
inline constexpr int CustomerByName = 1;

runtime::files::Declaration customerDeclaration(const std::string& path = CustomerFileName);

} // namespace app
