// Opening and closing the tip store, the process-wide views and the reading
// through the link-tip view. Finding is in find_tip.cpp, saving in save_tip.cpp.
#include "help/store/tip_store.h"

#include "help/store/keyed_guarded_file.h"
#include "help/store/store_state.h"
#include "help/store/tip_file_layout.h"
#include "help/store/tip_views.h"
#include "help/store/upgrade_tip_file.h"
#include "runtime/expr/bindings.h"
#include "runtime/sys/errors.h"
#include "runtime/sys/interaction.h"
#include "runtime/text/strings.h"

namespace help {
namespace detail {
namespace {

std::string currentTipFileName() {
    return tipFileName().str();
}

} // namespace

TipViews::TipViews()
    : rvh(tipDeclaration("RVH", currentTipFileName), &rvhRecord),
      lin(tipDeclaration("LIN", currentTipFileName), &linRecord) {}

std::recursive_mutex& storeMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

TipViews& tipViews() {
    static TipViews views;
    return views;
}

void readInto(Tip& tip, runtime::files::KeyedFile& file, const TipRecord& record) {
    static_cast<TipRecord&>(tip) = record;
    tip.HELPTIP = file.memo(tip_memo::HelpTip);
    tip.SETTINGS = file.memo(tip_memo::Settings);
    tip.OTHER = file.memo(tip_memo::Other);
}

void writeFrom(const Tip& tip, runtime::files::KeyedFile& file, TipRecord& record) {
    record = tip;
    file.memo(tip_memo::HelpTip) = memoText(tip.HELPTIP.view());
    file.memo(tip_memo::Settings) = memoText(tip.SETTINGS.view());
    file.memo(tip_memo::Other) = memoText(tip.OTHER.view());
}

} // namespace detail

namespace {

using detail::storeMutex;
using detail::tipViews;
namespace mode = runtime::files::mode;

void bindTipNames(std::string_view prefix, const Tip* tip) {
    if (tip == nullptr || runtime::expr::scopeDepth() == 0) {
        return;
    }
    const runtime::files::Declaration decl = tipDeclaration(prefix, std::string());
    runtime::expr::bindRecord(decl.fields, static_cast<const TipRecord*>(tip));
    using runtime::files::Field;
    using runtime::files::FieldType;
    const std::string p(prefix);
    runtime::expr::bind(Field{p + ":HelpTip", FieldType::String, 0, HelpTipSize}, &tip->HELPTIP);
    runtime::expr::bind(Field{p + ":Settings", FieldType::String, 0, SettingsSize}, &tip->SETTINGS);
    runtime::expr::bind(Field{p + ":Other", FieldType::String, 0, OtherSize}, &tip->OTHER);
}

void publishCounts() {
    detail::setOpenCounts(tipViews().rvhOpens, tipViews().linOpens);
}

void openView(runtime::files::KeyedFile& view, int32_t& opens) {
    if (opens == 0) {
        guardedOpen(view);
    }
    ++opens;
    publishCounts();
}

void closeView(runtime::files::KeyedFile& view, int32_t& opens) {
    if (opens == 0) {
        return;
    }
    if (--opens == 0) {
        view.close();
    }
    publishCounts();
}

// Opens and closes the file once under the current layout, to learn whether it
// must be converted or cannot be reached at all.
int32_t trialOpen() {
    TipRecord scratch;
    runtime::files::KeyedFile trial(tipDeclaration("RVH", detail::tipViews().rvh.name()), &scratch);
    trial.open(mode::ReadWrite | mode::DenyNone);
    const int32_t code = runtime::errorcode();
    if (code == runtime::err::None) {
        trial.close();
    }
    return code;
}

// Opens the RVH view at once when no window holds it open yet and the file
// is as this program wants it: a trial would find nothing to convert or to
// report, and the file would be read whole once more to check it. A view
// that waits for locks (since one was met) is left to the trial and the
// guarded open, so that a locked file is not waited for twice.
bool openedAsItIs(runtime::files::KeyedFile& view, int32_t& opens) {
    if (opens != 0 || view.send("Recover") != "0") {
        return false;
    }
    if (!view.open(mode::ReadWrite | mode::DenyNone)) {
        return false;
    }
    ++opens;
    publishCounts();
    return true;
}

} // namespace

std::string_view tipKindName(TipKind kind) {
    switch (kind) {
    case TipKind::ProcedureTip:
        return "procedure tip";
    case TipKind::ControlTip:
        return "control tip";
    case TipKind::TypeDefault:
        return "type default";
    case TipKind::None:
        break;
    }
    return "none";
}

bool openTipStore(const Tip* bindRvh, const Tip* bindLin) {
    std::lock_guard lock(storeMutex());
    detail::TipViews& views = tipViews();
    if (!openedAsItIs(views.rvh, views.rvhOpens)) {
        switch (trialOpen()) {
        case runtime::err::InvalidDeclaration:
            upgradeTipFile({});
            break;
        case runtime::err::PathNotFound:
            runtime::message("Error opening Ruvo file\r\nPath not found\r\n" + tipFileName().str(),
                             "Ruvo error", runtime::Icon::Information, runtime::button::Ok);
            return false;
        default:
            break;
        }
        openView(views.rvh, views.rvhOpens);
    }
    bindTipNames("RVH", bindRvh);
    openView(views.lin, views.linOpens);
    bindTipNames("LIN", bindLin);
    return true;
}

void closeTipStore() {
    std::lock_guard lock(storeMutex());
    detail::TipViews& views = tipViews();
    closeView(views.rvh, views.rvhOpens);
    closeView(views.lin, views.linOpens);
}

void openLinkView(const Tip* bindLin) {
    std::lock_guard lock(storeMutex());
    openView(tipViews().lin, tipViews().linOpens);
    bindTipNames("LIN", bindLin);
}

void closeLinkView() {
    std::lock_guard lock(storeMutex());
    closeView(tipViews().lin, tipViews().linOpens);
}

bool readLinkTips(int order, std::vector<TipKey>& keys) {
    std::lock_guard lock(storeMutex());
    detail::TipViews& views = tipViews();
    keys.clear();
    if (!views.lin.set(order)) {
        return false;
    }
    while (views.lin.next()) {
        keys.push_back(keyOf(views.linRecord));
    }
    if (runtime::errorcode() != runtime::err::NoRecord) {
        return false;
    }
    runtime::clearError();
    return true;
}

} // namespace help
