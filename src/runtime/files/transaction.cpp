#include "runtime/files/transaction.h"

#include "runtime/sys/errors.h"

namespace runtime::files {

Transaction::Transaction(std::vector<KeyedFile*> files, int waitSeconds) : files_(std::move(files)) {
    for (size_t i = 0; i < files_.size(); ++i) {
        if (!files_[i]->beginTransaction(waitSeconds)) {
            int32_t code = errorcode();
            std::string driverCode = fileerrorcode(), driverText = fileerror();
            for (size_t j = 0; j < i; ++j) {
                files_[j]->rollbackTransaction();
            }
            if (code == err::DriverError) {
                setDriverError(driverCode, driverText);
            } else {
                setError(code);
            }
            return;
        }
    }
    active_ = true;
}

Transaction::~Transaction() {
    rollback();
}

bool Transaction::commit() {
    if (!active_) {
        setError(err::NoRecord);
        return false;
    }
    active_ = false;
    for (size_t i = 0; i < files_.size(); ++i) {
        if (!files_[i]->commitTransaction()) {
            int32_t code = errorcode();
            std::string driverCode = fileerrorcode(), driverText = fileerror();
            for (size_t j = i + 1; j < files_.size(); ++j) {
                files_[j]->rollbackTransaction();
            }
            if (code == err::DriverError) {
                setDriverError(driverCode, driverText);
            } else {
                setError(code);
            }
            return false;
        }
    }
    clearError();
    return true;
}

void Transaction::rollback() {
    if (!active_) {
        return;
    }
    active_ = false;
    for (KeyedFile* f : files_) {
        f->rollbackTransaction();
    }
}

} // namespace runtime::files
