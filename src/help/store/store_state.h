// The engine's process-wide state that the tip store owns. The help entries
// set it (the tip-file name and the current key with every tip request, the
// no-help text from its setter) and the tip store reads it; use these
// functions rather than keeping copies. Every value is fixed length: longer
// text is cut, shorter text padded with spaces. Each call is safe from any
// thread; a reader gets one consistent value, but two requests in quick
// succession still overwrite each other, so a tip window reads what it needs
// once, when it starts.
#pragma once

#include <cstdint>
#include <string_view>

#include "help/store/tip_record.h"

namespace help {

inline constexpr std::string_view DefaultTipFileName = "Ruvo.dat";

// The physical name of the RVH and LIN views. A blank name selects "Ruvo.dat".
void setTipFileName(std::string_view name);
Fixed<255> tipFileName();

// The physical name the RVG view opens during an upgrade.
void setOldTipFileName(std::string_view name);
Fixed<255> oldTipFileName();

// The key of the tip being asked for.
void setCurrentTip(std::string_view procedure, std::string_view control, std::string_view type);
TipKey currentTip();

// The text shown when no tip exists.
void setNoHelpText(std::string_view text);
Fixed<255> noHelpText();

// Outstanding opens of the RVH and LIN views (the tip store counts them).
int32_t tipFileOpenCount();
int32_t linkViewOpenCount();

// Blanks the names, the key and the no-help text as at program start (the
// open counts stay with the store); for tests.
void resetStoreState();

namespace detail {
// Changed only by the tip store, under its own lock.
void setOpenCounts(int32_t tipFile, int32_t linkView);
} // namespace detail

} // namespace help
