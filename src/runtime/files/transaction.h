// A transaction over one or more open keyed files: every change made to them
// until commit becomes visible to other opens at once, or not at all when it is
// rolled back (also when the object is destroyed uncommitted).
//
// Across a crash (a killed process, or lost power while durable commits are on)
// the guarantee is the same for every file of the transaction: each file holds
// all of its changes, or every file holds none. A transaction over several
// files commits in two phases (format.h section 10): each file writes its pages
// and a prepared meta; then one intent record naming them all is written beside
// the first file, and its complete presence is the commit; then each prepared
// meta is made final and the record removed. A crash before the record leaves
// every file at its previous state; after it, the next writer (or open for
// writing) of each file makes its prepared meta final.
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
    bool commitTogether();
    void rollbackAll();

    std::vector<KeyedFile*> files_;
    bool active_ = false;
};

} // namespace runtime::files
