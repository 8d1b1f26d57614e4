// A transaction over one or more open keyed files: every change made to them
// until commit becomes visible to other opens at once, or not at all when it is
// rolled back (also when the object is destroyed uncommitted). Each file's part
// is atomic across a crash; a crash in the middle of committing several files
// can leave the ones committed before it.
#pragma once

#include <vector>

#include "runtime/files/keyed_file.h"

namespace runtime::files {

class Transaction {
public:
    // Begins on every file, waiting up to `waitSeconds` for other writers. When
    // one file cannot begin, none is left in the transaction (see active()).
    explicit Transaction(std::vector<KeyedFile*> files, int waitSeconds = 10);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool active() const { return active_; }
    bool commit();
    void rollback();

private:
    std::vector<KeyedFile*> files_;
    bool active_ = false;
};

} // namespace runtime::files
