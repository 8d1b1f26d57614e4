#include "help/store/stored_tips.h"

#include <algorithm>

#include "help/store/tip_file_layout.h"
#include "runtime/files/keyed_file.h"
#include "runtime/files/transaction.h"
#include "runtime/sys/errors.h"

namespace help {
namespace {

using runtime::files::KeyedFile;
namespace mode = runtime::files::mode;

constexpr uint8_t Reading = mode::ReadOnly | mode::DenyNone;

struct Sorted {
    std::vector<uint8_t> key;
    uint32_t id;
    size_t index;
};

// Reads every record in physical order, which is the order ids were given.
bool readAll(KeyedFile& file, TipRecord& record, std::vector<StoredTip>& tips, std::vector<uint32_t>& ids) {
    if (!file.set(runtime::files::PhysicalOrder)) {
        return false;
    }
    while (file.next()) {
        tips.push_back({record, file.memo(tip_memo::HelpTip), file.memo(tip_memo::Settings),
                        file.memo(tip_memo::Other)});
        ids.push_back(file.pointer());
    }
    if (runtime::errorcode() != runtime::err::NoRecord) {
        return false;
    }
    runtime::clearError();
    return true;
}

} // namespace

bool readStoredTips(const std::string& path, std::vector<StoredTip>& tips) {
    tips.clear();
    TipRecord record;
    KeyedFile file(tipDeclaration("RVH", path), &record);
    std::vector<StoredTip> read;
    std::vector<uint32_t> ids;
    if (!file.open(Reading) || !readAll(file, record, read, ids)) {
        return false;
    }
    // The key's own ordering bytes, ties broken by the record id as the key does.
    const runtime::files::Declaration& decl = file.declaration();
    const runtime::files::KeyDecl& byName = decl.keys[tip_key::ProcedureName];
    std::vector<Sorted> order;
    for (size_t i = 0; i < read.size(); ++i) {
        std::vector<uint8_t> key(runtime::files::keyWidth(decl, byName));
        runtime::files::encodeKey(decl, byName, &read[i].record, key.data());
        order.push_back({std::move(key), ids[i], i});
    }
    std::sort(order.begin(), order.end(),
              [](const Sorted& a, const Sorted& b) { return a.key != b.key ? a.key < b.key : a.id < b.id; });
    for (const Sorted& s : order) {
        tips.push_back(std::move(read[s.index]));
    }
    return file.close();
}

bool writeStoredTips(const std::string& path, const std::vector<StoredTip>& tips, bool oldLayout) {
    TipRecord record;
    OldTipRecord old;
    KeyedFile file(oldLayout ? oldTipDeclaration(path) : tipDeclaration("RVH", path),
                   oldLayout ? static_cast<void*>(&old) : static_cast<void*>(&record));
    if (!file.create() || !file.open(mode::ReadWrite | mode::DenyAll)) {
        return false;
    }
    runtime::files::Transaction transaction({&file});
    if (!transaction.active()) {
        return false;
    }
    for (const StoredTip& tip : tips) {
        if (oldLayout) {
            old.PROCEDURENAME = tip.record.PROCEDURENAME;
            old.CONTROLNAME = tip.record.CONTROLNAME;
            old.CONTROLTYPE = tip.record.CONTROLTYPE;
            old.HELPTIP = tip.helpTip;
            old.SETTINGS = tip.settings;
        } else {
            record = tip.record;
            file.memo(tip_memo::HelpTip) = tip.helpTip;
            file.memo(tip_memo::Settings) = tip.settings;
            file.memo(tip_memo::Other) = tip.other;
        }
        if (!file.add()) {
            return false;
        }
    }
    return transaction.commit() && file.close();
}

bool verifyStoredTips(const std::string& path, uint64_t& tips) {
    tips = 0;
    TipRecord record;
    KeyedFile file(tipDeclaration("RVH", path), &record);
    if (!file.open(Reading) || !file.verify() || !file.set(runtime::files::PhysicalOrder)) {
        return false;
    }
    while (file.next()) {
        ++tips;
    }
    if (runtime::errorcode() != runtime::err::NoRecord) {
        return false;
    }
    runtime::clearError();
    return file.close();
}

bool isTipFile(const std::string& path) {
    TipRecord record;
    KeyedFile file(tipDeclaration("RVH", path), &record);
    return file.open(Reading) && file.close();
}

bool isOldTipFile(const std::string& path) {
    OldTipRecord old;
    KeyedFile file(oldTipDeclaration(path), &old);
    return file.open(Reading) && file.close();
}

} // namespace help
