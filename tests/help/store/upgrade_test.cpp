// Converting old tip files in place.
#include <gtest/gtest.h>

#include "help/store/store_hooks.h"
#include "help/store/store_state.h"
#include "help/store/tip_file_layout.h"
#include "help/store/tip_store.h"
#include "help/store/upgrade_tip_file.h"
#include "runtime/files/keyed_file.h"
#include "runtime/sys/clock.h"
#include "runtime/sys/errors.h"
#include "runtime/text/dates.h"
#include "store_fixture.h"

namespace store_test {
namespace {

using namespace help;

const std::string Copy(UpgradeCopyName);

class RecordedProgress : public UpgradeProgress {
public:
    std::vector<std::string> calls;
    void begin(uint64_t total) override { calls.push_back("begin " + std::to_string(total)); }
    void step(uint64_t count) override { calls.push_back("step " + std::to_string(count)); }
    void end() override { calls.push_back("end"); }
};

class UpgradeTest : public StoreTest {
protected:
    UpgradeTest() { setUpgradeProgress(&progress); }
    ~UpgradeTest() override { setUpgradeProgress(nullptr); }

    void writeOldTips() {
        writeTips({tip("Main", "?OK", "BUTTON", "ok"), tip("", "?Cancel", "BUTTON", "cancel"),
                   tip("", "", "ENTRY", std::string(900, 'e'))},
                  true);
    }

    RecordedProgress progress;
    runtime::ScopedFixedTime clock{*runtime::text::dayNumber(2024, 5, 1), 0};
};

TEST_F(UpgradeTest, ConvertsEveryRecordAndKeepsTheCopy) {
    writeOldTips();
    setTipFileName("");
    UpgradeTipFile("tips.rvh");
    EXPECT_EQ(tipFileName(), "tips.rvh");
    std::vector<StoredTip> tips = storedTips();
    ASSERT_EQ(tips.size(), 3u);
    EXPECT_EQ(tips[0].record.CONTROLTYPE, "ENTRY");
    EXPECT_EQ(tips[0].helpTip, std::string(900, 'e'));
    EXPECT_EQ(tips[2].helpTip, "ok") << "the old field's padding is not part of the text";
    for (const StoredTip& t : tips) {
        EXPECT_EQ(int32_t(t.record.LASTEDITDATE), *runtime::text::dayNumber(2024, 5, 1));
        EXPECT_EQ(t.record.READONLY + t.record.ARCHIVE + t.record.TIPSTYLE, 0);
        EXPECT_TRUE(t.other.empty());
        EXPECT_TRUE(t.settings.empty());
    }
    EXPECT_TRUE(isOldTipFile(Copy));
    EXPECT_EQ(progress.calls, (std::vector<std::string>{"begin 3", "step 1", "step 2", "step 3", "end"}));
    EXPECT_TRUE(user.messages().empty());
}

TEST_F(UpgradeTest, OpeningTheStoreConvertsAnOldFileFirst) {
    writeOldTips();
    ASSERT_TRUE(openTipStore());
    LoadedTip loaded;
    EXPECT_EQ(findTip(tipKey("Main", "?OK", "BUTTON"), loaded), TipKind::ProcedureTip);
    EXPECT_EQ(loaded.RVH.HELPTIP, "ok");
    EXPECT_EQ(findTip(tipKey("Other", "?Name", "ENTRY"), loaded), TipKind::TypeDefault);
    EXPECT_TRUE(user.messages().empty());
}

TEST_F(UpgradeTest, FileInUseEndsTheProgram) {
    writeOldTips();
    OldTipRecord record;
    runtime::files::KeyedFile other(oldTipDeclaration(std::string("tips.rvh")), &record);
    ASSERT_TRUE(other.open(runtime::files::mode::ReadOnly | runtime::files::mode::DenyNone));
    try {
        upgradeTipFile("tips.rvh");
        ADD_FAILURE() << "a file in use ends the program";
    } catch (const testing_support::Halted& halted) {
        EXPECT_EQ(halted.exitCode, 0);
    }
    ASSERT_EQ(user.messages().size(), 1u);
    EXPECT_EQ(user.messages()[0].text,
              "Unable to access Tip file : tips.rvh because someone else is using it.");
    EXPECT_EQ(user.messages()[0].title, "");
}

TEST_F(UpgradeTest, FailedConversionRestoresTheOldFile) {
    writeOldTips();
    const std::string before = readBytes("tips.rvh");
    FaultyFileSystem files;
    files.failingPath = "tips.rvh";
    progress.calls.clear();
    // The new file is written once when it is created and again when its
    // records are committed: that second write fails.
    class FailAfterCreate : public RecordedProgress {
    public:
        explicit FailAfterCreate(FaultyFileSystem& files) : files_(files) {}
        void begin(uint64_t total) override {
            RecordedProgress::begin(total);
            files_.failNextWrite = true;
        }

    private:
        FaultyFileSystem& files_;
    } failing(files);
    setUpgradeProgress(&failing);
    EXPECT_THROW(upgradeTipFile("tips.rvh"), testing_support::Halted);
    ASSERT_EQ(user.messages().size(), 1u);
    EXPECT_EQ(user.messages()[0].text.substr(0, 24), "Error Upgrading file : F");
    EXPECT_EQ(readBytes("tips.rvh"), before);
    EXPECT_EQ(failing.calls.back(), "end");
}

TEST_F(UpgradeTest, FileOfAnotherLayoutIsLeftAlone) {
    writeTips({tip("Main", "?OK", "BUTTON", "new")});
    const std::string before = readBytes("tips.rvh");
    EXPECT_FALSE(upgradeTipFile("tips.rvh"));
    ASSERT_EQ(user.messages().size(), 1u);
    EXPECT_EQ(user.messages()[0].text.substr(0, 45), "Unable to access Tip file : tips.rvh because ");
    EXPECT_EQ(readBytes("tips.rvh"), before);
}

} // namespace
} // namespace store_test
