// The alert table: which messages of which window handles are alerted, with
// what action, for which thread, and which window procedure each hooked handle
// had before. One table serves the whole process; window procedures read it on
// their windows' threads while other threads alert and release, so every
// operation takes the table's lock. The lock is never held while a window
// procedure runs or an event is posted: callers get copies of rows.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <vector>

#include "msghook/types.h"

namespace msghook {

struct AlertRow {
    Handle handle = nullptr;
    int32_t message = 0;
    int32_t action = 0;
    Procedure returnTo = 0;    // the handle's procedure before it was hooked
    int32_t thread = 0;        // the runtime thread that alerted; alert events go there
    bool isClientArea = false; // the handle was the client area of the alerting window

    friend bool operator==(const AlertRow&, const AlertRow&) = default;
};

struct AlertRange {
    Handle handle = nullptr;
    int32_t first = 0;
    int32_t last = 0; // inclusive; below `first` means no message at all
    int32_t action = 0;
    int32_t thread = 0;
    bool isClientArea = false;
};

class AlertTable {
public:
    // Installs the hook's window procedure on a handle and returns the one it
    // replaced, 0 when it could not.
    using Hook = std::function<Procedure(Handle)>;
    // Puts a handle's previous window procedure back.
    using Unhook = std::function<void(Handle, Procedure)>;

    // Alerts every message of the range on its handle. A handle without rows is
    // hooked first, inside the lock, so two threads never hook one handle twice
    // (the second hook would chain the hook to itself). Existing (handle,
    // message) rows only get the new action; new rows keep the procedure
    // captured when the handle was hooked. An empty range changes nothing:
    // hooking a handle without a row to serve its messages would leave them
    // with no procedure to go to.
    void alert(const AlertRange& range, const Hook& hook);

    // Removes every row of the handle and gives its previous procedure back
    // through `unhook`, remembering it as the procedure of the handle most
    // recently released. A handle without rows is left alone.
    void release(Handle handle, const Unhook& unhook);

    // The row alerting `message` on `handle`: the last one added, found only
    // when the message is alerted on some window at all.
    std::optional<AlertRow> find(Handle handle, int32_t message) const;

    // The procedure `handle` had before it was hooked; nothing when the handle
    // has no rows.
    std::optional<Procedure> previousProcedure(Handle handle) const;

    // The previous procedure restored by the most recent release (0 before any).
    Procedure lastReleasedProcedure() const;

    // True when any window ever alerted the message; messages stay in this set
    // for the life of the process.
    bool isAlertedAnywhere(int32_t message) const;

    // Every row, in the order they were added.
    std::vector<AlertRow> rows() const;

private:
    mutable std::mutex mutex_;
    std::vector<AlertRow> rows_;
    std::set<int32_t> alertedMessages_;
    Procedure lastReleased_ = 0;
};

// The table of the process.
AlertTable& alertTable();

} // namespace msghook
