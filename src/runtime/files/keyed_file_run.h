// How every KeyedFile operation runs: under the object's lock, with the error
// state cleared, on the newest committed state, and with engine failures turned
// into the runtime's error codes. A read that met a page another open was
// replacing starts again; after a few tries it runs under the writer lock.
#pragma once

#include "runtime/files/failure.h"
#include "runtime/files/keyed_file.h"
#include "runtime/files/pager.h"
#include "runtime/sys/errors.h"

namespace runtime::files {

template <typename Body>
bool KeyedFile::run(Body&& body, bool needOpen) {
    std::lock_guard lock(mutex_);
    clearError();
    if (needOpen && !pager_) {
        setError(err::FileNotOpen);
        return false;
    }
    constexpr int QuietTries = 4;
    for (int attempt = 0;; ++attempt) {
        bool lockedHere = false;
        try {
            if (pager_ && !pager_->writing()) {
                if (attempt >= QuietTries && !writerLocked_) {
                    lockWriter(10);
                    lockedHere = true;
                }
                pager_->refresh();
            }
            bool ok = body();
            if (lockedHere) {
                unlockWriter();
            }
            return ok;
        } catch (const Stale&) {
            if (lockedHere) {
                unlockWriter();
            }
        } catch (const Failure& f) {
            if (lockedHere) {
                unlockWriter();
            }
            report(f.code, f.systemCode, f.text);
            return false;
        }
    }
}

} // namespace runtime::files
