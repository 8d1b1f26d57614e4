#include "runtime/files/failure.h"

#include "runtime/files/format.h"
#include "runtime/sys/errors.h"

namespace runtime::files {

void fail(int32_t code) {
    throw Failure{code, {}, {}};
}

void failDriver(const char* systemCode, std::string text) {
    throw Failure{err::DriverError, systemCode, std::move(text)};
}

void failIo(const IoError& error) {
    throw Failure{error.code ? error.code : err::DriverError, error.systemCode, error.text};
}

void failDamaged(uint8_t tree, uint32_t page, const char* what) {
    if (tree != format::TreeRecords && tree != format::TreeNone) {
        throw Failure{err::KeysMustBeRebuilt, {}, {}};
    }
    failDriver(driver::Damaged, std::string("Damaged page ") + std::to_string(page) + ": " + what);
}

} // namespace runtime::files
