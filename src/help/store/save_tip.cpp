// Saving an edited tip: add, write back or delete, by the tip window's record
// mode. Writes go to the record the tip was read from (by its record id), never
// to whatever the shared view read last, since other tip windows read through
// the same view.
#include <string>

#include "help/store/store_hooks.h"
#include "help/store/tip_store.h"
#include "help/store/tip_views.h"
#include "runtime/sys/clock.h"
#include "runtime/sys/errors.h"
#include "runtime/text/strings.h"

namespace help {
namespace {

using detail::TipViews;

SaveOutcome failed(SaveAction action, std::string_view tracePrefix) {
    SaveOutcome outcome{action, false, runtime::error()};
    traceStoreError(std::string(tracePrefix) + outcome.error);
    return outcome;
}

bool addTip(TipViews& views, LoadedTip& tip) {
    detail::writeFrom(tip.RVH, views.rvh, views.rvhRecord);
    if (!views.rvh.add()) {
        return false;
    }
    tip.recordId = views.rvh.pointer();
    tip.recordMode = record_mode::Existing;
    tip.asRead = tip.RVH;
    return true;
}

// An edited key makes a new tip. Names compare without case, as the keys find
// them: a tip added for a key that differs only in case would never be found
// behind the one it was copied from.
bool keyChanged(const LoadedTip& tip) {
    using runtime::text::equalNoCase;
    return !equalNoCase(tip.RVH.PROCEDURENAME.view(), tip.asRead.PROCEDURENAME.view()) ||
           !equalNoCase(tip.RVH.CONTROLNAME.view(), tip.asRead.CONTROLNAME.view());
}

} // namespace

SaveOutcome saveTip(LoadedTip& tip, std::string_view settings, int32_t askingThread) {
    std::unique_lock lock(detail::storeMutex());
    TipViews& views = detail::tipViews();
    if (tip.RVH.HELPTIP.blank() && tip.recordMode != record_mode::New) {
        tip.recordMode = record_mode::Delete;
    }
    switch (tip.recordMode) {
    case record_mode::New:
        tip.RVH.SETTINGS = settings;
        tip.RVH.LASTEDITDATE = runtime::today();
        if (!addTip(views, tip)) {
            return failed(SaveAction::Added, "ERROR, Adding Ruvo record : ");
        }
        lock.unlock();
        notifyTipAdded(askingThread);
        return {SaveAction::Added, true, {}};
    case record_mode::Existing:
        tip.RVH.LASTEDITDATE = runtime::today();
        tip.RVH.SETTINGS = settings;
        // A tip with no record of its own behind it is added, never written
        // over another record.
        if (keyChanged(tip) || tip.recordId == 0) {
            if (!addTip(views, tip)) {
                return failed(SaveAction::Added, "ERROR, Adding Ruvo record(2) : ");
            }
            return {SaveAction::Added, true, {}};
        }
        if (!views.rvh.fetch(tip.recordId)) {
            return failed(SaveAction::Updated, "ERROR, Updating Ruvo record : ");
        }
        detail::writeFrom(tip.RVH, views.rvh, views.rvhRecord);
        if (!views.rvh.put()) {
            return failed(SaveAction::Updated, "ERROR, Updating Ruvo record : ");
        }
        return {SaveAction::Updated, true, {}};
    default:
        if (!views.rvh.fetch(tip.recordId) || !views.rvh.erase()) {
            return failed(SaveAction::Deleted, "ERROR, Deleteing Ruvo record : ");
        }
        tip.recordId = 0;
        tip.recordMode = record_mode::New;
        return {SaveAction::Deleted, true, {}};
    }
}

} // namespace help
