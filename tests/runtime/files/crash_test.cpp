// A file layer that dies at the Nth write: that write and every later one are
// lost, as when the process is killed there; with power loss, writes not yet
// synced are undone at random too. After each crash point the file must open,
// verify, and hold exactly the state of the last commit that returned, or of
// the one in flight (crash-safety invariants I1-I7 in format.h). Transactions
// over two files must leave both files at the same one of those states.
#include <filesystem>
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
        if (crashed_ && how == OpenHow::CreateOrTruncate) {
            e.code = runtime::err::AccessDenied;
            return nullptr;
        }
        auto inner = systemFileSystem().open(path, how, writable, e);
        return inner ? std::make_unique<Handle>(*this, std::move(inner)) : nullptr;
    }
    IoError remove(const std::string& path) override {
        return crashed_ ? IoError{} : systemFileSystem().remove(path);
    }
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

// Transactions of adds, changes and deletes, each made alike in every file;
// returns the state after each commit that returned (states[0] is the empty
// file). The files share the record buffer.
std::vector<State> workload(const std::vector<KeyedFile*>& files, CustomerRecord& rec, int transactions,
                            int& commits, const std::function<bool()>& alive) {
    std::vector<State> states{State{}};
    State state;
    std::mt19937 random(5);
    for (int t = 0; t < transactions; ++t) {
        Transaction txn(files);
        if (!txn.active()) {
            break;
        }
        for (int op = 0; op < 8; ++op) {
            int32_t n = static_cast<int32_t>(1 + random() % 60);
            bool adding = state.count(n) == 0;
            bool erasing = !adding && random() % 3 == 0;
            std::string name = adding
                                   ? "N" + std::to_string(random() % 1000) + std::string(random() % 20, 'x')
                                   : "C" + std::to_string(random() % 1000);
            bool done = true;
            for (KeyedFile* file : files) {
                file->clear();
                rec.CUSTNO = n;
                if (adding) {
                    rec.NAME = name;
                    done = file->add() && done;
                } else if (!file->get(ByNumber)) {
                    done = false;
                } else if (erasing) {
                    done = file->erase() && done;
                } else {
                    rec.NAME = name;
                    done = file->put() && done;
                }
            }
            if (done && erasing) {
                state.erase(n);
            } else if (done) {
                state[n] = name;
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

void runCrashes(bool powerLoss, int fileCount) {
    TempDir dir;
    std::vector<std::string> paths;
    for (int i = 0; i < fileCount; ++i) {
        paths.push_back(dir.file("crash" + std::to_string(i) + ".dat"));
    }
    CustomerRecord rec{};
    auto run = [&](FileSystem& fs, int& commits, const std::function<bool()>& alive) {
        setFileSystem(&fs);
        std::vector<std::unique_ptr<KeyedFile>> files;
        std::vector<KeyedFile*> raw;
        for (const std::string& path : paths) {
            files.push_back(std::make_unique<KeyedFile>(customerDeclaration(path), &rec));
            EXPECT_TRUE(files.back()->open(mode::ReadWrite | mode::DenyNone));
            raw.push_back(files.back().get());
        }
        // Every write is a crash point, each replaying the work up to it: two
        // files write twice as much, so they run fewer transactions.
        std::vector<State> states = workload(raw, rec, fileCount == 1 ? 30 : 12, commits, alive);
        files.clear();
        setFileSystem(nullptr);
        return states;
    };
    auto createAll = [&] {
        for (const std::string& path : paths) {
            KeyedFile fresh(customerDeclaration(path), &rec);
            ASSERT_TRUE(fresh.create());
        }
    };
    createAll();
    CrashingFileSystem counting(int64_t{1} << 40, false, 0);
    int commits = 0;
    std::vector<State> expected = run(counting, commits, [] { return true; });
    int64_t totalWrites = counting.writes();
    ASSERT_GT(totalWrites, 100);
    for (int64_t crashAt = 1; crashAt <= totalWrites + 1; ++crashAt) {
        createAll();
        commits = 0;
        CrashingFileSystem crashing(crashAt, powerLoss, static_cast<uint32_t>(crashAt));
        run(crashing, commits, [&] { return !crashing.crashed(); });
        size_t k = static_cast<size_t>(commits);
        State first;
        for (size_t i = 0; i < paths.size(); ++i) {
            KeyedFile after(customerDeclaration(paths[i]), &rec);
            ASSERT_TRUE(after.open(mode::ReadWrite | mode::DenyNone))
                << "crash at write " << crashAt << ": " << runtime::errorcode() << " "
                << runtime::fileerror();
            ASSERT_TRUE(after.verify()) << "crash at write " << crashAt << ": " << runtime::fileerror();
            State got = contents(after, rec);
            bool matches = got == expected[k] || (k + 1 < expected.size() && got == expected[k + 1]);
            ASSERT_TRUE(matches) << "crash at write " << crashAt << " after " << commits << " commits";
            if (i == 0) {
                first = got;
            }
            ASSERT_EQ(got, first) << "files apart after a crash at write " << crashAt;
        }
        // Every intent record is gone once each file has been opened for writing.
        for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
            ASSERT_NE(entry.path().extension(), ".txn") << "crash at write " << crashAt;
        }
    }
}

TEST(KeyedFileCrash, AKilledWriterLeavesTheLastCommitAtEveryWrite) {
    runCrashes(false, 1);
}

TEST(KeyedFileCrash, LostUnsyncedWritesFallBackToTheLastSyncedCommit) {
    runCrashes(true, 1);
}

TEST(KeyedFileCrash, ATransactionOverTwoFilesCommitsInBothOrNeither) {
    runCrashes(false, 2);
}

TEST(KeyedFileCrash, LostUnsyncedWritesLeaveTwoFilesAtTheSameCommit) {
    runCrashes(true, 2);
}

} // namespace
} // namespace files_test
