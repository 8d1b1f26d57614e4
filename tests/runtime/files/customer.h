// The customer file under the tests' short names, and helpers shared by the tests.
#pragma once

#include <filesystem>
#include <string>

#include "app/customer/customer_file.h"
#include "runtime/files/keyed_file.h"

namespace files_test {

using app::customerDeclaration;
using app::CustomerRecord;
using runtime::text::Fixed;

inline constexpr int ByNumber = app::CustomerByNumber;
inline constexpr int ByName = app::CustomerByName;

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
