// The store's process-wide views of the tip file and the lock they are used
// under; shared by the store's own files only.
#pragma once

#include <mutex>

#include "help/store/tip_record.h"
#include "runtime/files/keyed_file.h"

namespace help::detail {

struct TipViews {
    TipViews();

    TipRecord rvhRecord;
    TipRecord linRecord;
    runtime::files::KeyedFile rvh;
    runtime::files::KeyedFile lin;
    int32_t rvhOpens = 0;
    int32_t linOpens = 0;
};

// Held for every use of the views and for the whole of an upgrade. Recursive,
// since opening the store may upgrade the file.
std::recursive_mutex& storeMutex();
TipViews& tipViews();

// The record and memos of `file` (whose record buffer is `record`) into `tip`.
void readInto(Tip& tip, runtime::files::KeyedFile& file, const TipRecord& record);
// `tip` into the record buffer and memos of `file`.
void writeFrom(const Tip& tip, runtime::files::KeyedFile& file, TipRecord& record);

} // namespace help::detail
