#include "store_fixture.h"

#include <chrono>
#include <fstream>
#include <iterator>

#include "help/store/store_state.h"
#include "help/store/tip_store.h"
#include "runtime/files/format.h"
#include "runtime/sys/errors.h"

namespace store_test {
namespace {

using runtime::files::FileHandle;
using runtime::files::IoError;
using runtime::files::LockResult;

class FaultyHandle : public FileHandle {
public:
    FaultyHandle(std::unique_ptr<FileHandle> inner, bool gateLocked, FaultyFileSystem* failing)
        : inner_(std::move(inner)), gateLocked_(gateLocked), failing_(failing) {}

    IoError read(uint64_t offset, void* data, size_t size, size_t& got) override {
        return inner_->read(offset, data, size, got);
    }
    IoError write(uint64_t offset, const void* data, size_t size) override {
        if (failing_ != nullptr && failing_->failNextWrite.exchange(false)) {
            return IoError{runtime::err::DriverError, "28", "No space left on device"};
        }
        return inner_->write(offset, data, size);
    }
    IoError sync() override { return inner_->sync(); }
    IoError size(uint64_t& bytes) override { return inner_->size(bytes); }
    IoError truncate(uint64_t bytes) override { return inner_->truncate(bytes); }
    LockResult lock(uint64_t offset, uint64_t length, bool exclusive) override {
        if (gateLocked_ && offset == runtime::files::format::LockGate) {
            return LockResult::Busy;
        }
        return inner_->lock(offset, length, exclusive);
    }
    void unlock(uint64_t offset, uint64_t length) override { inner_->unlock(offset, length); }
    const uint8_t* mapHead(size_t bytes) override { return inner_->mapHead(bytes); }

private:
    std::unique_ptr<FileHandle> inner_;
    bool gateLocked_;
    FaultyFileSystem* failing_;
};

} // namespace

StoredTip tip(std::string_view procedure, std::string_view control, std::string_view type,
              std::string_view text) {
    StoredTip t;
    t.record.PROCEDURENAME = procedure;
    t.record.CONTROLNAME = control;
    t.record.CONTROLTYPE = type;
    t.helpTip = text;
    return t;
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

FaultyFileSystem::FaultyFileSystem() {
    runtime::files::setFileSystem(this);
}

FaultyFileSystem::~FaultyFileSystem() {
    runtime::files::setFileSystem(nullptr);
}

std::unique_ptr<FileHandle> FaultyFileSystem::open(const std::string& path, runtime::files::OpenHow how,
                                                   bool writable, IoError& error) {
    if (path == countedPath) {
        ++countedOpens;
    }
    auto inner = runtime::files::systemFileSystem().open(path, how, writable, error);
    if (!inner) {
        return nullptr;
    }
    const bool locked = path == lockedPath && !lockedOnce_;
    lockedOnce_ = lockedOnce_ || locked;
    return std::make_unique<FaultyHandle>(std::move(inner), locked, path == failingPath ? this : nullptr);
}

IoError FaultyFileSystem::remove(const std::string& path) {
    return runtime::files::systemFileSystem().remove(path);
}

StoreTest::StoreTest() {
    static int counter = 0;
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    folder_ = std::filesystem::temp_directory_path() /
              ("rv-store-" + std::to_string(stamp) + "-" + std::to_string(++counter));
    std::filesystem::create_directories(folder_);
    previousFolder_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_);
    help::resetStoreState();
    help::setTipFileName("tips.rvh");
}

StoreTest::~StoreTest() {
    while (help::tipFileOpenCount() > 0) {
        help::closeTipStore();
    }
    while (help::linkViewOpenCount() > 0) {
        help::closeLinkView();
    }
    std::filesystem::current_path(previousFolder_);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void StoreTest::writeTips(const std::vector<StoredTip>& tips, bool oldLayout) {
    help::setTipFileName("tips.rvh");
    ASSERT_TRUE(help::writeStoredTips("tips.rvh", tips, oldLayout)) << runtime::errorcode();
}

std::vector<StoredTip> StoreTest::storedTips() {
    std::vector<StoredTip> tips;
    EXPECT_TRUE(help::readStoredTips("tips.rvh", tips)) << runtime::errorcode();
    return tips;
}

} // namespace store_test
