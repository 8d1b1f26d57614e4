// rvtips upgrade TIPFILE
// Converts a tip file of the old fixed-length layout in place, as the tip
// window does when it meets one, with a progress bar on standard error for
// long files. The old file stays behind as "rvTemp$).)$(" in the current folder.
#include <ostream>

#include "command.h"
#include "help/store/store_hooks.h"
#include "help/store/stored_tips.h"
#include "help/store/upgrade_tip_file.h"
#include "tip_file_session.h"

namespace {

using namespace rvtips;

// Files shorter than this convert too quickly to be worth a bar.
constexpr uint64_t BarFrom = 200;
constexpr int BarWidth = 40;

class ProgressBar : public help::UpgradeProgress {
public:
    explicit ProgressBar(std::ostream& err) : err_(err) {}

    void begin(uint64_t total) override {
        total_ = total;
        shown_ = -1;
    }
    void step(uint64_t count) override {
        count_ = count;
        if (total_ < BarFrom) {
            return;
        }
        const int percent = static_cast<int>(count * 100 / total_);
        if (percent != shown_) {
            shown_ = percent;
            const int filled = percent * BarWidth / 100;
            err_ << "\rupgrading [" << std::string(filled, '#') << std::string(BarWidth - filled, ' ') << "] "
                 << percent << "% " << std::flush;
        }
    }
    void end() override {
        if (shown_ >= 0) {
            err_ << '\n' << std::flush;
        }
    }
    uint64_t converted() const { return count_; }

private:
    std::ostream& err_;
    uint64_t total_ = 0;
    uint64_t count_ = 0;
    int shown_ = -1;
};

int run(const Arguments& arguments, std::ostream& out, std::ostream& err);
const Command Upgrade = {"upgrade", "TIPFILE", "convert a tip file of the old layout in place", run};
const bool added = addCommand(Upgrade);

int run(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.size() != 1) {
        return usageError(Upgrade, "expected one tip file", err);
    }
    StoreSession session;
    const std::string& path = arguments[0];
    if (help::isTipFile(path)) {
        out << path << " already has the current layout\n";
        return exit_code::Done;
    }
    ProgressBar bar(err);
    help::setUpgradeProgress(&bar);
    const bool converted = help::upgradeTipFile(path);
    help::setUpgradeProgress(nullptr);
    if (!converted) {
        return exit_code::FileError;
    }
    out << "upgraded " << bar.converted() << " tips; the old file is kept as " << help::UpgradeCopyName
        << '\n';
    return exit_code::Done;
}

} // namespace
