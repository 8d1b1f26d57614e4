// What the tip-store tests share: a folder of their own that is also the
// current folder (the upgrade leaves its copy there), a scripted user, tip
// files written directly, and a file system that can refuse a lock or a write.
#pragma once

#include <atomic>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "help/store/stored_tips.h"
#include "runtime/files/io.h"
#include "runtime/sys/interaction.h"
#include "support/scripted_interaction.h"

namespace store_test {

using help::StoredTip;

StoredTip tip(std::string_view procedure, std::string_view control, std::string_view type,
              std::string_view text);
std::string readBytes(const std::string& path);

// The system's file system, except that the first open of `lockedPath` finds
// its gate locked (as if another program held it), that, once armed, one
// write to `failingPath` fails, and that the opens of `countedPath` are counted.
class FaultyFileSystem : public runtime::files::FileSystem {
public:
    FaultyFileSystem();
    ~FaultyFileSystem() override;

    std::string lockedPath;
    std::string failingPath;
    std::atomic<bool> failNextWrite{false};
    std::string countedPath;
    std::atomic<int> countedOpens{0};

    std::unique_ptr<runtime::files::FileHandle> open(const std::string& path, runtime::files::OpenHow how,
                                                     bool writable, runtime::files::IoError& error) override;
    runtime::files::IoError remove(const std::string& path) override;

private:
    bool lockedOnce_ = false;
};

class StoreTest : public ::testing::Test {
protected:
    StoreTest();
    ~StoreTest() override;

    std::string path(const std::string& name) const { return (folder_ / name).string(); }
    // Writes the tip file "tips.rvh" holding `tips` and makes it the tip file.
    void writeTips(const std::vector<StoredTip>& tips, bool oldLayout = false);
    std::vector<StoredTip> storedTips();

    testing_support::ScriptedInteraction user;

private:
    std::filesystem::path folder_;
    std::filesystem::path previousFolder_;
    runtime::ScopedInteraction useScripted_{user};
};

} // namespace store_test
