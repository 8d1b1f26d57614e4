// The customer file as the demo declares it, and helpers shared by the tests.
#pragma once

#include <filesystem>
#include <string>

#include "runtime/files/keyed_file.h"
#include "runtime/text/fields.h"
#include "runtime/text/packed_decimal.h"

namespace files_test {

using runtime::text::Fixed;

struct CustomerRecord {
    runtime::text::Long CUSTNO;
    Fixed<30> NAME;
    Fixed<30> ADDRESS;
    Fixed<20> CITY;
    Fixed<2> STATE;
    runtime::text::Decimal<5> ZIP;
    runtime::text::Decimal<11> PHONE;
    Fixed<20> CONTACT;
};
static_assert(sizeof(CustomerRecord) == 115);

inline constexpr int ByNumber = 0;
inline constexpr int ByName = 1;

runtime::files::Declaration customerDeclaration(const std::string& path);

// A directory of its own under the system's temporary folder, removed at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace files_test
