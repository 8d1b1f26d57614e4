// Finding a tip: the procedure tip, else the control tip for any procedure,
// else the default for the control type, else the no-help text.
#include <string>

#include "help/store/store_state.h"
#include "help/store/tip_file_layout.h"
#include "help/store/tip_store.h"
#include "help/store/tip_views.h"
#include "runtime/sys/command_line.h"
#include "runtime/sys/errors.h"
#include "runtime/sys/interaction.h"
#include "runtime/text/strings.h"

namespace help {
namespace {

using runtime::files::KeyedFile;
using runtime::text::equalNoCase;

bool sameNamesNoCase(const TipRecord& record, const TipKey& key) {
    return equalNoCase(record.PROCEDURENAME.view(), key.procedure.view()) &&
           equalNoCase(record.CONTROLNAME.view(), key.control.view());
}

// The exact read ignores case; a record whose names equal the key exactly can
// only sit among the records the key's order puts at the same place, so the
// search reads just those rather than the whole file.
bool findSameNames(KeyedFile& file, TipRecord& record, const TipKey& key) {
    record.PROCEDURENAME = key.procedure;
    record.CONTROLNAME = key.control;
    if (file.setAt(tip_key::ProcedureName)) {
        while (file.next() && sameNamesNoCase(record, key)) {
            if (record.PROCEDURENAME == key.procedure && record.CONTROLNAME == key.control) {
                return true;
            }
        }
    }
    // What reading on to the end of the file would have reported.
    runtime::setError(runtime::err::NoRecord);
    return false;
}

// The first record of the type with both names blank. Types compare like the
// key orders them, without case, so a tip whose type differs only in case
// does not end the search before the default.
bool findTypeDefault(KeyedFile& file, TipRecord& record, const TipKey& key) {
    record.CONTROLTYPE = key.type;
    if (!file.setAt(tip_key::ControlType)) {
        return false;
    }
    while (file.next() && equalNoCase(record.CONTROLTYPE.view(), key.type.view())) {
        if (record.PROCEDURENAME.blank() && record.CONTROLNAME.blank()) {
            return true;
        }
    }
    return false;
}

struct FirstLookup {
    std::string fileName;
    int32_t code = 0;
    std::string text;
};

TipKind lookUp(const TipKey& key, KeyedFile& file, TipRecord& record, FirstLookup& first) {
    record.PROCEDURENAME = key.procedure;
    record.CONTROLNAME = key.control;
    bool found = file.get(tip_key::ProcedureName);
    if (!found && runtime::errorcode() == runtime::err::RecordNotFound) {
        found = findSameNames(file, record, key);
    }
    first = {file.name(), runtime::errorcode(), runtime::error()};
    if (found) {
        return TipKind::ProcedureTip;
    }
    record.CONTROLNAME = key.control;
    record.PROCEDURENAME.clear();
    if (file.get(tip_key::ControlName)) {
        return TipKind::ControlTip;
    }
    if (findTypeDefault(file, record, key)) {
        return TipKind::TypeDefault;
    }
    return TipKind::None;
}

} // namespace

TipKind findTip(const TipKey& key, LoadedTip& tip) {
    FirstLookup first;
    {
        std::lock_guard lock(detail::storeMutex());
        detail::TipViews& views = detail::tipViews();
        tip.kind = lookUp(key, views.rvh, views.rvhRecord, first);
        if (tip.kind == TipKind::None) {
            clearTip(tip.RVH);
            tip.RVH.HELPTIP = noHelpText().view();
            setKey(tip.RVH, key);
            tip.asRead = tip.RVH;
            tip.recordId = 0;
            tip.recordMode = record_mode::New;
        } else {
            detail::readInto(tip.asRead, views.rvh, views.rvhRecord);
            tip.RVH = tip.asRead;
            if (tip.kind == TipKind::TypeDefault) {
                setKey(tip.RVH, key);
            }
            tip.recordId = views.rvh.pointer();
            tip.recordMode = record_mode::Existing;
        }
    }
    if (runtime::hasSwitch("/rvDebug")) {
        using runtime::text::trim;
        runtime::stop("Loading tip from : " + std::string(trim(first.fileName)) +
                      " proc = " + std::string(trim(key.procedure.view())) + " control " + key.control.str() +
                      " " + std::to_string(first.code) + " " + first.text);
    }
    return tip.kind;
}

} // namespace help
