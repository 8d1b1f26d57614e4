// Small helpers over FileHandle locks, shared by the KeyedFile operations.
#pragma once

#include <cstdint>

#include "runtime/files/io.h"

namespace runtime::files {

// Takes `offset` exclusively, waiting up to `seconds`; false when it stays busy.
// A file system without locks counts as granted.
bool lockWaiting(FileHandle& h, uint64_t offset, int seconds);
// True when another open holds `offset` in any mode.
bool heldByOthers(FileHandle& h, uint64_t offset);

} // namespace runtime::files
