// The tip store: the tip file opened once for every tip window open at the
// same time, the lookup of a tip with its fall-backs, and the saving of an
// edited tip. A tip window keeps the tip it shows in its own LoadedTip, so
// tip windows on different threads never share a record buffer; the store's
// views are used under one lock.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "help/store/tip_record.h"

namespace help {

// Which fall-back found a tip.
enum class TipKind { ProcedureTip, ControlTip, TypeDefault, None };
std::string_view tipKindName(TipKind kind); // "procedure tip", ..., "none"

// How saving treats a tip window's tip (its record mode).
namespace record_mode {
inline constexpr int32_t New = 1;      // the tip was not found: saving adds it
inline constexpr int32_t Existing = 2; // a tip was found: saving writes it back
inline constexpr int32_t Delete = 3;   // saving deletes it
} // namespace record_mode

// The tip a window shows, as findTip leaves it.
struct LoadedTip {
    // What the window shows and edits. For a type default the names are the
    // asked-for key, so that saving it creates a procedure tip.
    Tip RVH;
    // The record and memos as read (for a type default, with its blank names),
    // for the editor's Cancel and for telling an edited key.
    Tip asRead;
    TipKind kind = TipKind::None;
    int32_t recordMode = record_mode::New;
    uint32_t recordId = 0; // the stored record behind asRead; 0 for none
};

// Opens the RVH and LIN views of the tip file named by tipFileName(),
// converting a file of the old layout first, creating a missing one, and
// repairing or reporting what the guarded open can. False when the file's
// folder does not exist: the user was told and the window shows no tip (and
// must not call closeTipStore).
//
// The record names and the memo names (e.g. "RVH:HelpTip") are bound for
// run-time expressions to the given window's buffers, in the calling thread's
// innermost scope; without an open scope nothing is bound, since a
// process-wide name would outlive the window's buffer.
bool openTipStore(const Tip* bindRvh = nullptr, const Tip* bindLin = nullptr);
// Undoes one openTipStore: the last one closes the file.
void closeTipStore();

// The LIN view alone, for a second reader of the file (its own open count).
void openLinkView(const Tip* bindLin = nullptr);
void closeLinkView();

// Finds the tip for `key`: the procedure tip, else the control tip for any
// procedure, else the default for the control type, else none, when `tip`
// holds the no-help text under the asked-for key. Record mode becomes
// Existing when a tip was found, New otherwise. With "/rvDebug" a stop box
// tells how the first lookup went.
TipKind findTip(const TipKey& key, LoadedTip& tip);

enum class SaveAction { Added, Updated, Deleted };
struct SaveOutcome {
    SaveAction action = SaveAction::Added;
    bool ok = false;
    std::string error; // the runtime's error text when not ok
};

// Stores `tip` by its record mode, with `settings` as its settings and today
// as its date: a blank text deletes an existing tip; a tip that did not exist
// is added (even when blank) and `askingThread` is told; an existing tip whose
// procedure or control name changed is added as a new tip, the old one kept;
// otherwise the tip is written back over the record it was read from. A
// failure is one trace line; the tip stays as it was for another try.
SaveOutcome saveTip(LoadedTip& tip, std::string_view settings, int32_t askingThread);

// The keys of every tip, read through the LIN view in `order` (a tip_key
// number, or runtime::files::PhysicalOrder). False, with the runtime's error
// state telling why, when the reading could not start or go on.
bool readLinkTips(int order, std::vector<TipKey>& keys);

} // namespace help
