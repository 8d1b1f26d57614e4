#include "help/store/upgrade_tip_file.h"

#include <string>

#include "help/store/store_hooks.h"
#include "help/store/store_state.h"
#include "help/store/tip_file_layout.h"
#include "help/store/tip_record.h"
#include "help/store/tip_views.h"
#include "runtime/sys/clock.h"
#include "runtime/sys/errors.h"
#include "runtime/sys/interaction.h"
#include "runtime/text/strings.h"

namespace help {
namespace {

using runtime::files::KeyedFile;
namespace mode = runtime::files::mode;

constexpr uint8_t Exclusive = mode::ReadWrite | mode::DenyAll;

std::string currentOldTipFileName() {
    return oldTipFileName().str();
}

class Upgrade {
public:
    explicit Upgrade(std::string tipName)
        : tipName_(std::move(tipName)), oldFile_(oldTipDeclaration(currentOldTipFileName), &old_),
          newFile_(tipDeclaration("RVH", tipName_), &record_) {}

    bool run();

private:
    // Tells the user, puts the old file back when it was already replaced and
    // ends the program.
    [[noreturn]] void giveUp(bool restore);
    void convertRecords();
    void convert();

    std::string tipName_;
    OldTipRecord old_;
    TipRecord record_;
    KeyedFile oldFile_;
    KeyedFile newFile_;
    bool progressShown_ = false;
};

bool Upgrade::run() {
    if (!oldFile_.open(Exclusive)) {
        const std::string name(runtime::text::trim(oldTipFileName().view()));
        if (runtime::errorcode() == runtime::err::AccessDenied) {
            runtime::message("Unable to access Tip file : " + name + " because someone else is using it.");
            runtime::halt(0);
        }
        // Not a file of the old layout: converting it would replace it with an
        // empty tip file, so it is left alone.
        runtime::message("Unable to access Tip file : " + name + " because " + runtime::error());
        return false;
    }
    oldFile_.close();
    if (!oldFile_.copyTo(std::string(UpgradeCopyName))) {
        giveUp(false);
    }
    setOldTipFileName(UpgradeCopyName);
    if (!oldFile_.open(Exclusive)) {
        giveUp(false);
    }
    if (!newFile_.create() || !newFile_.open(Exclusive) || !newFile_.stream()) {
        giveUp(true);
    }
    convertRecords();
    oldFile_.close();
    if (!newFile_.flush() || !newFile_.close()) {
        giveUp(true);
    }
    upgradeProgress().end();
    return true;
}

void Upgrade::convertRecords() {
    const uint64_t total = oldFile_.records();
    upgradeProgress().begin(total);
    progressShown_ = true;
    if (!oldFile_.set(runtime::files::PhysicalOrder)) {
        giveUp(true);
    }
    uint64_t count = 0;
    while (oldFile_.next()) {
        upgradeProgress().step(++count);
        convert();
        if (!newFile_.add()) {
            giveUp(true);
        }
    }
    // Anything but the end of the file would lose the tips after it.
    if (runtime::errorcode() != runtime::err::NoRecord) {
        giveUp(true);
    }
}

void Upgrade::convert() {
    using runtime::text::clip;
    record_.PROCEDURENAME = old_.PROCEDURENAME;
    record_.CONTROLNAME = old_.CONTROLNAME;
    record_.CONTROLTYPE = old_.CONTROLTYPE;
    record_.LASTEDITDATE = runtime::today();
    record_.READONLY = 0;
    record_.ARCHIVE = 0;
    record_.TIPSTYLE = 0;
    newFile_.memo(tip_memo::HelpTip) = clip(old_.HELPTIP.view());
    newFile_.memo(tip_memo::Settings) = clip(old_.SETTINGS.view());
    newFile_.memo(tip_memo::Other).clear();
}

void Upgrade::giveUp(bool restore) {
    const std::string text = "Error Upgrading file : " + runtime::error();
    if (progressShown_) {
        upgradeProgress().end();
    }
    runtime::message(text);
    oldFile_.close();
    newFile_.close();
    if (restore) {
        OldTipRecord scratch;
        KeyedFile copy(oldTipDeclaration(std::string(UpgradeCopyName)), &scratch);
        copy.copyTo(tipName_);
    }
    runtime::halt(0);
}

} // namespace

bool upgradeTipFile(std::string_view name) {
    std::lock_guard lock(detail::storeMutex());
    if (!runtime::text::isBlank(name)) {
        setTipFileName(name);
    }
    const std::string tipName(runtime::text::trim(tipFileName().view()));
    setOldTipFileName(tipFileName().view());
    Upgrade upgrade(tipName);
    return upgrade.run();
}

} // namespace help

extern "C" void UpgradeTipFile(const char* tipFileName) {
    help::upgradeTipFile(tipFileName != nullptr ? tipFileName : "");
}
