// The guarded open on the real keyed-file driver: what it repairs and what
// ends the program.
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>

#include "help/store/keyed_guarded_file.h"
#include "help/store/tip_file_layout.h"
#include "runtime/sys/errors.h"
#include "store_fixture.h"

namespace store_test {
namespace {

using namespace help;
using runtime::files::KeyedFile;

class GuardedKeyedFileTest : public StoreTest {
protected:
    TipRecord record;
    KeyedFile file{tipDeclaration("RVH", std::string("tips.rvh")), &record};
};

// Damages the root page of the control-type key as the newest meta names it,
// so that the next open reports the keys as needing a rebuild.
void damageTypeKey(const std::string& path) {
    std::string bytes = readBytes(path);
    auto u64 = [&](size_t at) {
        uint64_t v = 0;
        std::memcpy(&v, bytes.data() + at, 8);
        return v;
    };
    const size_t meta = u64(3072 + 8) > u64(4096 + 8) ? 3072 : 4096;
    uint32_t page = 0;
    std::memcpy(&page, bytes.data() + meta + 64 + 24 * tip_key::ControlType, 4);
    ASSERT_NE(page, 0u);
    std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(static_cast<std::streamoff>(page) * 4096 + 2000);
    f.write("\x55\xAA\x55", 3);
}

TEST_F(GuardedKeyedFileTest, MissingFileIsCreatedAndOpenedShared) {
    guardedOpen(file);
    EXPECT_EQ(runtime::errorcode(), 0);
    EXPECT_TRUE(file.isOpen());
    EXPECT_TRUE(user.messages().empty());
    TipRecord other;
    KeyedFile second(tipDeclaration("LIN", std::string("tips.rvh")), &other);
    EXPECT_TRUE(second.open(runtime::files::mode::ReadWrite | runtime::files::mode::DenyNone));
}

TEST_F(GuardedKeyedFileTest, LockedFileIsOpenedAfterRecovering) {
    writeTips({tip("Main", "?OK", "BUTTON", "text")});
    FaultyFileSystem files;
    files.lockedPath = "tips.rvh";
    guardedOpen(file);
    EXPECT_EQ(runtime::errorcode(), 0);
    EXPECT_TRUE(file.isOpen());
    EXPECT_EQ(file.send("Recover"), "10");
    EXPECT_TRUE(user.messages().empty());
}

TEST_F(GuardedKeyedFileTest, DamagedKeyIsRebuiltOnlyWhenTheUserAgrees) {
    std::vector<StoredTip> tips;
    for (int i = 0; i < 300; ++i) {
        tips.push_back(tip("P" + std::to_string(i % 7), "?C" + std::to_string(i),
                           "TYPE" + std::to_string(i % 5), std::string(200, 'x')));
    }
    writeTips(tips);
    damageTypeKey("tips.rvh");
    user.answerMessage(runtime::button::No);
    try {
        guardedOpen(file);
        ADD_FAILURE() << "declining the rebuild ends the program";
    } catch (const testing_support::Halted& halted) {
        EXPECT_EQ(halted.haltText, "Invalid Key!");
    }
    EXPECT_FALSE(file.isOpen());

    user.answerMessage(runtime::button::Yes);
    guardedOpen(file);
    EXPECT_EQ(runtime::errorcode(), 0);
    ASSERT_TRUE(file.isOpen());
    EXPECT_EQ(file.records(), 300u);
    EXPECT_TRUE(file.verify());
    ASSERT_EQ(user.messages().size(), 2u);
    EXPECT_EQ(user.messages()[1].title, "Invalid Key");
}

TEST_F(GuardedKeyedFileTest, ForeignLayoutEndsTheProgramWithMessageOne) {
    writeTips({tip("Main", "?OK", "BUTTON", "old")}, true);
    try {
        guardedOpen(file);
        ADD_FAILURE() << "a foreign layout ends the program";
    } catch (const testing_support::Halted& halted) {
        EXPECT_EQ(halted.haltText, "Invalid File!");
    }
    ASSERT_EQ(user.messages().size(), 1u);
    EXPECT_EQ(user.messages()[0].title, "Invalid File");
    EXPECT_EQ(user.messages()[0].text.substr(0, 9), "Error: (I");
}

} // namespace
} // namespace store_test
