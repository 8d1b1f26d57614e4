// A tip file read and written whole, exactly as stored, for tools that list,
// export, import and check tip files. These open the file themselves (read
// only, sharing allowed, for reading), never through the tip store, so they
// neither create nor convert a file. Errors are left in the runtime's error
// state (47: not a tip file of the current layout).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "help/store/tip_record.h"

namespace help {

struct StoredTip {
    TipRecord record;
    std::string helpTip;
    std::string settings;
    std::string other;
};

// Every tip, in procedure-name key order; the tips that key leaves out (both
// names blank: the type defaults) come first, as blank names sort first.
bool readStoredTips(const std::string& path, std::vector<StoredTip>& tips);

// Creates `path` anew (replacing a file nobody has open) holding `tips`, in
// the current layout or, with `oldLayout`, the old one (texts cut to 900 and
// settings to 1500 bytes; dates, flags and widths dropped). All tips are
// committed at once, so a failure leaves no half-written set of tips.
bool writeStoredTips(const std::string& path, const std::vector<StoredTip>& tips, bool oldLayout);

// Checks every key against the records and reads every record with its memos.
// `tips` is the number of records read.
bool verifyStoredTips(const std::string& path, uint64_t& tips);

// True when `path` holds a keyed file of the current layout, or of the old one.
bool isTipFile(const std::string& path);
bool isOldTipFile(const std::string& path);

} // namespace help
