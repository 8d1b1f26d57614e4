// Opening a file the engine cannot work without: repairs what can be repaired
// (a stale lock, a missing file, a damaged key) and otherwise tells the user
// and ends the program.
#pragma once

#include <cstdint>

#include "help/file_errors/guarded_file.h"

namespace help {

// On return runtime::errorcode() tells whether the file is open (0 or 52).
// createFlag 1: a missing file is created. keepMissing: a missing file is
// left missing and reported to the caller as error 2 instead. shared: open
// read/write, deny none, instead of openMode.
void guardedOpen(GuardedFile& file, uint8_t createFlag, uint8_t keepMissing, uint8_t openMode,
                 uint8_t shared);

} // namespace help
