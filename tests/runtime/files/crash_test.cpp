// A file layer that dies at the Nth write: that write and every later one are
// lost, as when the process is killed there; with power loss, writes not yet
// synced are undone at random too. After each crash point the file must open,
// verify, and hold exactly the state of the last commit that returned, or of
// the one in flight (crash-safety invariants I1-I6 in format.h).
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <random>

#include "customer.h"
#include "runtime/files/io.h"
#include "runtime/files/transaction.h"
#include "runtime/sys/errors.h"

namespace files_test {
namespace {

using namespace runtime::files;

class CrashingFileSystem final : public FileSystem {
public:
    CrashingFileSystem(int64_t crashAt, bool powerLoss, uint32_t seed)
        : crashAt_(crashAt), powerLoss_(powerLoss), random_(seed) {}

    std::unique_ptr<FileHandle> open(const std::string& path, OpenHow how, bool writable,
                                     IoError& e) override {
        auto inner = systemFileSystem().open(path, how, writable, e);
        return inner ? std::make_unique<Handle>(*this, std::move(inner)) : nullptr;
    }
    IoError remove(const std::string& path) override { return systemFileSystem().remove(path); }
    int64_t writes() const { return writes_; }
    bool crashed() const { return crashed_; }

private:
    struct Undo {
        FileHandle* file;
        uint64_t offset;
        std::vector<uint8_t> old;
    };
    class Handle final : public FileHandle {
    public:
        Handle(CrashingFileSystem& fs, std::unique_ptr<FileHandle> inner)
            : fs_(fs), inner_(std::move(inner)) {}
        IoError read(uint64_t o, void* d, size_t n, size_t& got) override {
            return inner_->read(o, d, n, got);
        }
        IoError write(uint64_t o, const void* d, size_t n) override {
            if (fs_.crashed_ || ++fs_.writes_ >= fs_.crashAt_) {
                fs_.crash();
                return {};
            }
            if (fs_.powerLoss_) {
                Undo u{inner_.get(), o, std::vector<uint8_t>(n)};
                size_t got = 0;
                inner_->read(o, u.old.data(), n, got);
                u.old.resize(got);
                fs_.unsynced_.push_back(std::move(u));
            }
            return inner_->write(o, d, n);
        }
        IoError sync() override {
            if (!fs_.crashed_) {
                fs_.unsynced_.clear();
            }
            return {};
        }
        IoError size(uint64_t& b) override { return inner_->size(b); }
        IoError truncate(uint64_t b) override { return fs_.crashed_ ? IoError{} : inner_->truncate(b); }
        LockResult lock(uint64_t o, uint64_t l, bool x) override { return inner_->lock(o, l, x); }
        void unlock(uint64_t o, uint64_t l) override { inner_->unlock(o, l); }
        const uint8_t* mapHead(size_t b) override { return inner_->mapHead(b); }

    private:
        CrashingFileSystem& fs_;
        std::unique_ptr<FileHandle> inner_;
    };

    void crash() {
        if (crashed_) {
            return;
        }
        crashed_ = true;
        for (auto it = unsynced_.rbegin(); it != unsynced_.rend(); ++it) {
            if (random_() % 2 && !it->old.empty()) {
                it->file->write(it->offset, it->old.data(), it->old.size());
            }
        }
        unsynced_.clear();
    }

    int64_t crashAt_;
    bool powerLoss_;
    std::mt19937 random_;
    int64_t writes_ = 0;
    bool crashed_ = false;
    std::vector<Undo> unsynced_;
};

using State = std::map<int32_t, std::string>;

// Thirty transactions of adds, changes and deletes; returns the state after
// each commit that returned (states[0] is the empty file).
std::vector<State> workload(
    KeyedFile& file, CustomerRecord& rec, int& commits,
    const std::function<bool()>& alive = [] { return true; }) {
    std::vector<State> states{State{}};
    State state;
    std::mt19937 random(5);
    for (int t = 0; t < 30; ++t) {
        Transaction txn({&file});
        if (!txn.active()) {
            break;
        }
        for (int op = 0; op < 8; ++op) {
            int32_t n = static_cast<int32_t>(1 + random() % 60);
            file.clear();
            rec.CUSTNO = n;
            if (state.count(n) == 0) {
                std::string name = "N" + std::to_string(random() % 1000) + std::string(random() % 20, 'x');
                rec.NAME = name;
                if (file.add()) {
                    state[n] = name;
                }
            } else if (file.get(ByNumber)) {
                if (random() % 3 == 0) {
                    if (file.erase()) {
                        state.erase(n);
                    }
                } else {
                    std::string name = "C" + std::to_string(random() % 1000);
                    rec.NAME = name;
                    if (file.put()) {
                        state[n] = name;
                    }
                }
            }
        }
        if (!txn.commit() || !alive()) {
            break; // a process that died stops here
        }
        ++commits;
        states.push_back(state);
    }
    return states;
}

State contents(KeyedFile& file, CustomerRecord& rec) {
    State s;
    file.set(ByNumber);
    while (file.next()) {
        s[rec.CUSTNO.get()] = std::string(rec.NAME.clipped());
    }
    return s;
}

void runCrashes(bool powerLoss) {
    TempDir dir;
    std::string path = dir.file("crash.dat");
    CustomerRecord rec{};
    int64_t totalWrites = 0;
    std::vector<State> expected;
    {
        CrashingFileSystem counting(int64_t{1} << 40, false, 0);
        setFileSystem(&counting);
        KeyedFile file(customerDeclaration(path), &rec);
        ASSERT_TRUE(file.create());
        ASSERT_TRUE(file.open(mode::ReadWrite | mode::DenyNone));
        int64_t before = counting.writes();
        int commits = 0;
        expected = workload(file, rec, commits);
        totalWrites = counting.writes() - before;
        setFileSystem(nullptr);
    }
    ASSERT_GT(totalWrites, 100);
    for (int64_t crashAt = 1; crashAt <= totalWrites + 1; ++crashAt) {
        setFileSystem(nullptr);
        KeyedFile fresh(customerDeclaration(path), &rec);
        ASSERT_TRUE(fresh.create());
        int commits = 0;
        {
            CrashingFileSystem crashing(crashAt, powerLoss, static_cast<uint32_t>(crashAt));
            setFileSystem(&crashing);
            KeyedFile file(customerDeclaration(path), &rec);
            ASSERT_TRUE(file.open(mode::ReadWrite | mode::DenyNone));
            workload(file, rec, commits, [&] { return !crashing.crashed(); });
            file.close();
            setFileSystem(nullptr);
        }
        KeyedFile after(customerDeclaration(path), &rec);
        ASSERT_TRUE(after.open(mode::ReadWrite | mode::DenyNone))
            << "crash at write " << crashAt << ": " << runtime::errorcode() << " " << runtime::fileerror();
        ASSERT_TRUE(after.verify()) << "crash at write " << crashAt << ": " << runtime::fileerror();
        State got = contents(after, rec);
        size_t k = static_cast<size_t>(commits);
        bool matches = got == expected[k] || (k + 1 < expected.size() && got == expected[k + 1]);
        ASSERT_TRUE(matches) << "crash at write " << crashAt << " after " << commits << " commits";
    }
}

TEST(KeyedFileCrash, AKilledWriterLeavesTheLastCommitAtEveryWrite) {
    runCrashes(false);
}

TEST(KeyedFileCrash, LostUnsyncedWritesFallBackToTheLastSyncedCommit) {
    runCrashes(true);
}

} // namespace
} // namespace files_test
