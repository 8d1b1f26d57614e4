#include "runtime/files/transaction.h"

#include "runtime/files/failure.h"
#include "runtime/files/format.h"
#include "runtime/files/intent.h"
#include "runtime/files/io.h"
#include "runtime/sys/errors.h"

namespace runtime::files {
namespace {

// The calling thread's error, kept across the clean-up calls that clear it.
struct SavedError {
    int32_t code = errorcode();
    std::string driverCode = fileerrorcode(), driverText = fileerror();
    void restore() const {
        if (code == err::DriverError) {
            setDriverError(driverCode, driverText);
        } else {
            setError(code);
        }
    }
};

} // namespace

Transaction::Transaction(std::vector<KeyedFile*> files, int waitSeconds) : files_(std::move(files)) {
    for (size_t i = 0; i < files_.size(); ++i) {
        if (!files_[i]->beginTransaction(waitSeconds)) {
            SavedError saved;
            for (size_t j = 0; j < i; ++j) {
                files_[j]->rollbackTransaction();
            }
            saved.restore();
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
    if (files_.size() > 1) {
        return commitTogether();
    }
    if (!files_.empty() && !files_[0]->commitTransaction()) {
        return false;
    }
    clearError();
    return true;
}

bool Transaction::commitTogether() {
    const uint64_t group = intent::newGroup();
    const std::string record = intent::recordPath(files_[0]->absolutePath(), group);
    intent::Record r{group, {}};
    std::vector<std::string> fromEach;
    bool durable = false;
    for (KeyedFile* f : files_) {
        std::string fromFile = intent::relativeFrom(f->absolutePath(), record);
        std::string toFile = intent::relativeFrom(record, f->absolutePath());
        if (fromFile.empty() || fromFile.size() > format::MetaIntentRoom || toFile.empty() ||
            toFile.size() > UINT16_MAX) {
            rollbackAll();
            setDriverError(driver::TooLarge,
                           "The files of the transaction lie too far apart to commit together");
            return false;
        }
        fromEach.push_back(std::move(fromFile));
        r.participants.push_back({std::move(toFile), f->pendingTransaction()});
        durable = durable || f->durable_;
    }
    for (size_t i = 0; i < files_.size(); ++i) {
        if (!files_[i]->prepareTransaction(group, fromEach[i])) {
            SavedError saved;
            rollbackAll();
            saved.restore();
            return false;
        }
    }
    try {
        intent::write(record, r, durable);
    } catch (const Failure& failure) {
        fileSystem().remove(record);
        rollbackAll();
        if (failure.code == err::DriverError) {
            setDriverError(failure.systemCode, failure.text);
        } else {
            setError(failure.code);
        }
        return false;
    }
    // Committed. A file that cannot make its meta final now keeps the prepared
    // one, which counts while the record stays; its next writer finishes it.
    bool allFinal = true;
    for (KeyedFile* f : files_) {
        allFinal = f->finishTransaction() && allFinal;
    }
    if (allFinal) {
        fileSystem().remove(record);
    }
    clearError();
    return true;
}

void Transaction::rollbackAll() {
    for (KeyedFile* f : files_) {
        f->rollbackTransaction();
    }
}

void Transaction::rollback() {
    if (!active_) {
        return;
    }
    active_ = false;
    rollbackAll();
}

} // namespace runtime::files
