// The tip file's declarations: the current layout with memos and the old
// fixed-length one, both with three two-part (or one-part) keys.
#pragma once

#include "runtime/files/declaration.h"
#include "runtime/text/fields.h"

namespace files_test {

struct TipRecord {
    runtime::text::Fixed<50> PROCEDURENAME;
    runtime::text::Fixed<50> CONTROLNAME;
    runtime::text::Fixed<20> CONTROLTYPE;
    runtime::text::Long LASTEDITDATE;
    uint8_t READONLY;
    uint8_t ARCHIVE;
    uint8_t TIPSTYLE;
};
static_assert(sizeof(TipRecord) == 127);

struct OldTipRecord {
    runtime::text::Fixed<50> PROCEDURENAME;
    runtime::text::Fixed<50> CONTROLNAME;
    runtime::text::Fixed<20> CONTROLTYPE;
    runtime::text::Fixed<900> HELPTIP;
    runtime::text::Fixed<1500> SETTINGS;
};
static_assert(sizeof(OldTipRecord) == 2520);

runtime::files::Declaration tipDeclaration(const std::string& path, const std::string& prefix = "RVH");
runtime::files::Declaration oldTipDeclaration(const std::string& path);

} // namespace files_test
