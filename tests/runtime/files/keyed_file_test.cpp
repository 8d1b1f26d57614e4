// The operations' results and error codes, sharing between two opens, holds,
// watches, transactions, buffered writing, positions and damaged files.
#include <fstream>
#include <gtest/gtest.h>
#include <thread>
#include <tuple>

#include "customer.h"
#include "runtime/files/format.h"
#include "runtime/files/intent.h"
#include "runtime/files/transaction.h"
#include "runtime/sys/errors.h"
#include "tips.h"

namespace files_test {
namespace {

using namespace runtime::files;
namespace err = runtime::err;
using runtime::errorcode;

class CustomerFile : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.file("Customer.dat");
        ASSERT_TRUE(file.create());
        ASSERT_TRUE(file.open(mode::ReadWrite | mode::DenyNone));
    }
    bool addCustomer(int32_t number, const std::string& name, KeyedFile* f = nullptr) {
        (f ? *f : file).clear();
        CustomerRecord& r = f ? other : rec;
        r.CUSTNO = number;
        r.NAME = name;
        return (f ? *f : file).add();
    }
    std::vector<int32_t> numbers(int order, bool forward = true) {
        std::vector<int32_t> out;
        file.set(order);
        while (forward ? file.next() : file.previous()) {
            out.push_back(rec.CUSTNO.get());
        }
        return out;
    }

    TempDir dir;
    std::string path;
    CustomerRecord rec{};
    CustomerRecord other{};
    KeyedFile file{customerDeclaration(dir.file("Customer.dat")), &rec};
};

TEST_F(CustomerFile, OpeningReportsTheRuntimeCodes) {
    CustomerRecord r{};
    struct Case {
        std::string path;
        int32_t code;
    } cases[] = {
        {dir.file("missing.dat"), err::FileNotFound},
        {dir.file("no-such-folder/x.dat"), err::PathNotFound},
    };
    for (const Case& c : cases) {
        KeyedFile f(customerDeclaration(c.path), &r);
        EXPECT_FALSE(f.open());
        EXPECT_EQ(errorcode(), c.code) << c.path;
    }
    EXPECT_FALSE(file.open());
    EXPECT_EQ(errorcode(), err::AlreadyOpen);
    EXPECT_TRUE(file.isOpen()) << "a second open leaves the first alone";
    KeyedFile closed(customerDeclaration(path), &r);
    EXPECT_FALSE(closed.next());
    EXPECT_EQ(errorcode(), err::FileNotOpen);
}

TEST_F(CustomerFile, AnotherLayoutIsRefusedWith47) {
    TipRecord tip{};
    KeyedFile wrong(tipDeclaration(path), &tip);
    EXPECT_FALSE(wrong.open(mode::ReadOnly | mode::DenyNone));
    EXPECT_EQ(errorcode(), err::InvalidDeclaration);
    Declaration sameLayoutOtherNames = customerDeclaration(path);
    for (Field& f : sameLayoutOtherNames.fields) {
        f.name = "LIN" + f.name.substr(3);
    }
    KeyedFile alias(sameLayoutOtherNames, &other);
    EXPECT_TRUE(alias.open(mode::ReadOnly | mode::DenyNone)) << errorcode();
    Declaration otherKey = customerDeclaration(path);
    otherKey.keys[1].duplicates = false;
    KeyedFile wrongKey(otherKey, &other);
    EXPECT_FALSE(wrongKey.open(mode::ReadOnly | mode::DenyNone));
    EXPECT_EQ(errorcode(), err::InvalidDeclaration);
}

TEST_F(CustomerFile, KeysOrderIgnoreCaseLeaveOutEmptyRowsAndRefuseDuplicates) {
    ASSERT_TRUE(addCustomer(30, "smith"));
    ASSERT_TRUE(addCustomer(10, "Adams"));
    ASSERT_TRUE(addCustomer(20, "SMITH")); // a second name is fine
    ASSERT_TRUE(addCustomer(0, "Zero"));   // number 0: left out of the number key
    ASSERT_TRUE(addCustomer(40, ""));      // blank name: left out of the name key
    EXPECT_FALSE(addCustomer(10, "Other"));
    EXPECT_EQ(errorcode(), err::DuplicateKey);
    EXPECT_EQ(file.records(), 5u);
    EXPECT_EQ(numbers(ByNumber), (std::vector<int32_t>{10, 20, 30, 40}));
    EXPECT_EQ(errorcode(), err::NoRecord);
    EXPECT_EQ(numbers(ByNumber, false), (std::vector<int32_t>{40, 30, 20, 10}));
    EXPECT_EQ(numbers(ByName), (std::vector<int32_t>{10, 30, 20, 0})) << "same names in the order added";
    EXPECT_EQ(numbers(PhysicalOrder), (std::vector<int32_t>{30, 10, 20, 0, 40}));
    rec.NAME = "sMiTh";
    ASSERT_TRUE(file.get(ByName));
    EXPECT_EQ(rec.CUSTNO.get(), 30);
    rec.CUSTNO = 99;
    EXPECT_FALSE(file.get(ByNumber));
    EXPECT_EQ(errorcode(), err::RecordNotFound);
    // A change that would duplicate a unique key leaves the record as it was.
    rec.CUSTNO = 20;
    ASSERT_TRUE(file.get(ByNumber));
    rec.CUSTNO = 30;
    EXPECT_FALSE(file.put());
    EXPECT_EQ(errorcode(), err::DuplicateKey);
    EXPECT_TRUE(file.verify());
}

TEST_F(CustomerFile, StartingPointsPositionsAndDeletedNeighbours) {
    for (int32_t n : {10, 20, 30, 40, 50}) {
        ASSERT_TRUE(addCustomer(n, "Name" + std::to_string(n)));
    }
    rec.CUSTNO = 25;
    ASSERT_TRUE(file.setAt(ByNumber));
    ASSERT_TRUE(file.next());
    EXPECT_EQ(rec.CUSTNO.get(), 30);
    rec.CUSTNO = 25;
    ASSERT_TRUE(file.setAt(ByNumber));
    ASSERT_TRUE(file.previous());
    EXPECT_EQ(rec.CUSTNO.get(), 20);
    rec.CUSTNO = 30;
    ASSERT_TRUE(file.setAt(ByNumber));
    ASSERT_TRUE(file.previous());
    EXPECT_EQ(rec.CUSTNO.get(), 30) << "both directions include the value itself";

    std::string at30 = file.position(ByNumber);
    ASSERT_FALSE(at30.empty());
    EXPECT_LE(at30.size(), 512u);
    ASSERT_TRUE(file.reset(at30));
    ASSERT_TRUE(file.next());
    EXPECT_EQ(rec.CUSTNO.get(), 30);
    ASSERT_TRUE(file.next());
    EXPECT_EQ(rec.CUSTNO.get(), 40);
    // Paging goes on from the last key seen when records around it change.
    ASSERT_TRUE(file.erase()); // 40
    rec.CUSTNO = 30;
    ASSERT_TRUE(file.get(ByNumber));
    ASSERT_TRUE(file.erase());
    EXPECT_FALSE(file.reget(at30));
    EXPECT_EQ(errorcode(), err::RecordNotFound);
    ASSERT_TRUE(file.reset(at30 + std::string(100, ' '))) << "padding after a position is ignored";
    ASSERT_TRUE(file.next());
    EXPECT_EQ(rec.CUSTNO.get(), 50);
    ASSERT_TRUE(file.reset(at30));
    ASSERT_TRUE(file.previous());
    EXPECT_EQ(rec.CUSTNO.get(), 20);
    EXPECT_FALSE(file.reset("garbage"));
    uint32_t id = file.pointer();
    rec.CUSTNO = 0;
    ASSERT_TRUE(file.fetch(id));
    EXPECT_EQ(rec.CUSTNO.get(), 20);
}

TEST_F(CustomerFile, SharingModesBetweenTwoOpens) {
    struct Case {
        uint8_t first, second;
        bool allowed;
    } cases[] = {
        {mode::ReadWrite | mode::DenyNone, mode::ReadWrite | mode::DenyNone, true},
        {mode::ReadWrite | mode::DenyNone, mode::ReadWrite | mode::DenyAll, false},
        {mode::ReadWrite | mode::DenyAll, mode::ReadOnly | mode::DenyNone, false},
        {mode::ReadWrite | mode::DenyWrite, mode::ReadWrite | mode::DenyNone, false},
        {mode::ReadWrite | mode::DenyWrite, mode::ReadOnly | mode::DenyNone, true},
        {mode::ReadOnly | mode::DenyNone, mode::ReadWrite | mode::DenyWrite, true},
        {mode::ReadWrite | mode::DenyNone, mode::ReadOnly | mode::DenyWrite, false},
        {mode::ReadOnly | mode::DenyRead, mode::ReadOnly | mode::DenyNone, false},
        {mode::ReadOnly | mode::DenyRead, mode::WriteOnly | mode::DenyNone, true},
    };
    ASSERT_TRUE(file.close());
    for (const Case& c : cases) {
        KeyedFile a(customerDeclaration(path), &rec), b(customerDeclaration(path), &other);
        ASSERT_TRUE(a.open(c.first)) << int(c.first);
        EXPECT_EQ(b.open(c.second), c.allowed) << std::hex << int(c.first) << " then " << int(c.second);
        if (!c.allowed) {
            EXPECT_EQ(errorcode(), err::AccessDenied);
        }
    }
    KeyedFile reader(customerDeclaration(path), &rec);
    ASSERT_TRUE(reader.open(mode::ReadOnly | mode::DenyNone));
    EXPECT_FALSE(addCustomer(1, "x", &reader));
    EXPECT_EQ(errorcode(), err::AccessDenied);
    KeyedFile creator(customerDeclaration(path), &other);
    EXPECT_FALSE(creator.create()) << "an open file is not replaced";
    EXPECT_EQ(errorcode(), err::AccessDenied);
    EXPECT_FALSE(creator.remove());
}

TEST_F(CustomerFile, RecoverWaitsForAnExclusiveOpenToGo) {
    ASSERT_TRUE(file.close());
    KeyedFile owner(customerDeclaration(path), &other);
    ASSERT_TRUE(owner.open(mode::ReadWrite | mode::DenyAll));
    EXPECT_FALSE(file.open(mode::ReadWrite | mode::DenyNone));
    EXPECT_EQ(errorcode(), err::AccessDenied);
    std::thread closer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        owner.close();
    });
    file.send("Recover=10");
    EXPECT_TRUE(file.open(mode::ReadWrite | mode::DenyNone)) << errorcode();
    closer.join();
    EXPECT_EQ(file.send("Recover"), "10");
    EXPECT_EQ(file.send("QUICKSCAN=on"), "on");
    file.send("Bogus=1");
    EXPECT_EQ(errorcode(), err::DriverError);
}

TEST_F(CustomerFile, HoldsAndWatchesBetweenTwoOpens) {
    ASSERT_TRUE(addCustomer(1, "One"));
    KeyedFile second(customerDeclaration(path), &other);
    ASSERT_TRUE(second.open(mode::ReadWrite | mode::DenyNone));
    rec.CUSTNO = 1;
    file.hold();
    ASSERT_TRUE(file.get(ByNumber));
    other.CUSTNO = 1;
    second.hold();
    EXPECT_FALSE(second.get(ByNumber));
    EXPECT_EQ(errorcode(), err::RecordHeld);
    ASSERT_TRUE(second.get(ByNumber)) << "a read without hold is not blocked " << errorcode();
    other.CITY = "Elsewhere";
    EXPECT_FALSE(second.put());
    EXPECT_EQ(errorcode(), err::RecordHeld);
    EXPECT_FALSE(second.erase());
    EXPECT_EQ(errorcode(), err::RecordHeld);
    rec.CITY = "Mine";
    EXPECT_TRUE(file.put()) << "the holder writes";
    file.release();
    second.watch();
    ASSERT_TRUE(second.get(ByNumber));
    EXPECT_EQ(other.CITY, "Mine");
    rec.CITY = "Changed meanwhile";
    ASSERT_TRUE(file.put());
    other.CITY = "Lost update";
    EXPECT_FALSE(second.put());
    EXPECT_EQ(errorcode(), err::ChangedByOther);
    ASSERT_TRUE(second.get(ByNumber));
    EXPECT_EQ(other.CITY, "Changed meanwhile");
    other.CITY = "Unwatched";
    EXPECT_TRUE(second.put()) << "without a watch the last write wins";
}

// A put that changes nothing writes nothing, but must still fail as a write
// would: held by another open, changed under a watch, or deleted meanwhile.
TEST_F(CustomerFile, AnUnchangedPutMeetsHoldsWatchesAndDeletions) {
    ASSERT_TRUE(addCustomer(1, "One"));
    ASSERT_TRUE(addCustomer(2, "Two"));
    KeyedFile second(customerDeclaration(path), &other);
    ASSERT_TRUE(second.open(mode::ReadWrite | mode::DenyNone));
    other.CUSTNO = 1;
    ASSERT_TRUE(second.get(ByNumber));
    EXPECT_TRUE(second.put()) << "nothing to write is a success " << errorcode();
    rec.CUSTNO = 1;
    file.hold();
    ASSERT_TRUE(file.get(ByNumber));
    EXPECT_FALSE(second.put());
    EXPECT_EQ(errorcode(), err::RecordHeld);
    file.release();

    second.watch();
    ASSERT_TRUE(second.get(ByNumber));
    rec.CITY = "Changed meanwhile";
    ASSERT_TRUE(file.put());
    rec.CITY = "";
    ASSERT_TRUE(file.put()) << "changed back: the same bytes, but written since the watch";
    EXPECT_FALSE(second.put());
    EXPECT_EQ(errorcode(), err::ChangedByOther);

    other.CUSTNO = 2;
    ASSERT_TRUE(second.get(ByNumber));
    rec.CUSTNO = 2;
    ASSERT_TRUE(file.get(ByNumber));
    ASSERT_TRUE(file.erase());
    EXPECT_FALSE(second.put()) << "the record is gone";
    EXPECT_NE(errorcode(), 0);
    rec.CUSTNO = 2;
    EXPECT_FALSE(file.get(ByNumber)) << "and stays gone";
}

// Reading a record again goes straight to the leaf it was found in while the
// tree is unchanged; once another open has moved it, the read must follow.
TEST_F(CustomerFile, ARecordReadAgainFollowsItWhenAnotherOpenMovedIt) {
    file.send("Sync=off");
    for (int i = 1; i <= 600; ++i) {
        ASSERT_TRUE(addCustomer(i, "Name " + std::to_string(i)));
    }
    KeyedFile second(customerDeclaration(path), &other);
    ASSERT_TRUE(second.open(mode::ReadOnly | mode::DenyNone));
    for (int pass = 0; pass < 2; ++pass) {
        other.CUSTNO = 450;
        ASSERT_TRUE(second.get(ByNumber));
        EXPECT_EQ(other.CITY, "");
    }
    {
        Transaction txn({&file});
        for (int i = 1; i <= 400; ++i) {
            rec.CUSTNO = i;
            ASSERT_TRUE(file.get(ByNumber));
            ASSERT_TRUE(file.erase());
        }
        rec.CUSTNO = 450;
        ASSERT_TRUE(file.get(ByNumber));
        rec.CITY = "Moved";
        ASSERT_TRUE(file.put());
        ASSERT_TRUE(txn.commit());
    }
    other.CUSTNO = 450;
    ASSERT_TRUE(second.get(ByNumber)) << errorcode();
    EXPECT_EQ(other.CITY, "Moved");
    other.CUSTNO = 300;
    EXPECT_FALSE(second.get(ByNumber));
    EXPECT_EQ(errorcode(), err::RecordNotFound);
    EXPECT_TRUE(second.verify()) << runtime::fileerror();
}

// Small changes keep their free pages in the meta; many deletions spill them
// into free-list pages, and adds take them back. Every page stays accounted for.
TEST_F(CustomerFile, FreePagesMoveBetweenTheMetaAndTheFreeList) {
    file.send("Sync=off");
    {
        Transaction txn({&file});
        for (int i = 1; i <= 8000; ++i) {
            ASSERT_TRUE(addCustomer(i, "Name " + std::to_string(i % 97)));
        }
        ASSERT_TRUE(txn.commit()) << errorcode();
    }
    auto freePages = [&] {
        std::ifstream in(path, std::ios::binary);
        std::vector<char> meta(2 * 1024);
        in.seekg(3072);
        in.read(meta.data(), static_cast<std::streamsize>(meta.size()));
        uint64_t txn[2];
        uint32_t listed[2], chained[2];
        for (int s = 0; s < 2; ++s) {
            std::memcpy(&txn[s], meta.data() + 1024 * s + 8, 8);
            std::memcpy(&chained[s], meta.data() + 1024 * s + 36, 4);
            std::memcpy(&listed[s], meta.data() + 1024 * s + 44, 4);
        }
        int s = txn[0] > txn[1] ? 0 : 1;
        return std::pair<uint32_t, uint32_t>{listed[s], chained[s]};
    };
    rec.CUSTNO = 5;
    ASSERT_TRUE(file.get(ByNumber));
    rec.CITY = "Elsewhere";
    ASSERT_TRUE(file.put());
    auto [listed, chained] = freePages();
    EXPECT_GT(listed, 0u) << "a small change lists its freed pages in the meta";
    EXPECT_EQ(chained, 0u);
    {
        Transaction txn({&file});
        for (int i = 1; i <= 7000; ++i) {
            rec.CUSTNO = i;
            ASSERT_TRUE(file.get(ByNumber));
            ASSERT_TRUE(file.erase());
        }
        ASSERT_TRUE(txn.commit()) << errorcode();
    }
    std::tie(listed, chained) = freePages();
    EXPECT_GT(chained, 0u) << "more free pages than the meta holds go to the list";
    EXPECT_TRUE(file.verify()) << runtime::fileerror();
    for (int i = 1; i <= 7000; i += 3) {
        ASSERT_TRUE(addCustomer(i, "Again " + std::to_string(i % 13)));
    }
    EXPECT_TRUE(file.verify()) << runtime::fileerror();
    ASSERT_TRUE(file.close());
    ASSERT_TRUE(file.open());
    EXPECT_EQ(numbers(ByName).size(), 1000u + 2334u);
    EXPECT_TRUE(file.verify()) << runtime::fileerror();
}

TEST_F(CustomerFile, TransactionsOverTwoFilesCommitOrRollBackTogether) {
    TipRecord tip{};
    KeyedFile tips(tipDeclaration(dir.file("tips.rvh")), &tip);
    ASSERT_TRUE(tips.create());
    ASSERT_TRUE(tips.open(mode::ReadWrite | mode::DenyNone));
    KeyedFile watcher(customerDeclaration(path), &other);
    ASSERT_TRUE(watcher.open(mode::ReadOnly | mode::DenyNone));
    {
        Transaction txn({&file, &tips});
        ASSERT_TRUE(txn.active());
        ASSERT_TRUE(addCustomer(1, "One"));
        tip.CONTROLTYPE = "BUTTON";
        ASSERT_TRUE(tips.add());
        EXPECT_EQ(file.records(), 1u) << "the transaction sees its own changes";
        EXPECT_EQ(watcher.records(), 0u) << "others do not";
    } // destroyed uncommitted: rolled back
    EXPECT_EQ(file.records(), 0u);
    EXPECT_EQ(tips.records(), 0u);
    Transaction txn({&file, &tips});
    ASSERT_TRUE(addCustomer(2, "Two"));
    ASSERT_TRUE(tips.add());
    ASSERT_TRUE(txn.commit());
    EXPECT_EQ(watcher.records(), 1u);
    EXPECT_EQ(tips.records(), 1u);
    EXPECT_TRUE(file.verify());
}

void overwrite(const std::string& path, uint64_t offset, const std::string& bytes) {
    std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(static_cast<std::streamoff>(offset));
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A meta prepared for a transaction over several files counts only while its
// intent record exists; a writer makes it final or undoes it, and never takes
// a file the meta names for anything but that record.
TEST_F(CustomerFile, APreparedMetaCountsOnlyWithItsIntentRecord) {
    auto metas = [&] {
        std::string bytes(2 * format::MetaSize, '\0');
        std::ifstream in(path, std::ios::binary);
        in.seekg(format::MetaOffset[0]);
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        format::Meta m[2];
        for (int slot = 0; slot < 2; ++slot) {
            format::decodeMeta(reinterpret_cast<const uint8_t*>(bytes.data()) + slot * format::MetaSize,
                               m[slot]);
        }
        return std::vector<format::Meta>{m[0], m[1]};
    };
    format::Meta empty = metas()[0];
    ASSERT_TRUE(addCustomer(1, "One"));
    ASSERT_TRUE(file.close());
    // Prepares the state of the empty file as the next transaction.
    auto prepare = [&](const std::string& intentPath) {
        std::vector<format::Meta> now = metas();
        format::Meta m = empty;
        m.txn = std::max(now[0].txn, now[1].txn) + 1;
        m.group = 0xABCDEF;
        m.intentPath = intentPath;
        uint8_t out[format::MetaSize];
        format::encodeMeta(m, out);
        overwrite(path, format::MetaOffset[m.txn % 2], std::string(reinterpret_cast<char*>(out), sizeof out));
    };
    KeyedFile reader(customerDeclaration(path), &other);

    std::string victim = dir.file("victim.txt");
    std::ofstream(victim) << "not an intent record";
    prepare("victim.txt");
    ASSERT_TRUE(reader.open(mode::ReadOnly | mode::DenyNone));
    EXPECT_EQ(reader.records(), 1u) << "no record: the transaction never committed";
    ASSERT_TRUE(reader.close());
    ASSERT_TRUE(file.open());
    EXPECT_EQ(file.records(), 1u);
    EXPECT_TRUE(file.verify());
    ASSERT_TRUE(file.close());
    EXPECT_TRUE(std::filesystem::exists(victim));

    std::string record = intent::recordPath(path, 0xABCDEF);
    prepare(std::filesystem::path(record).filename().string());
    intent::write(record, intent::Record{0xABCDEF, {{"Customer.dat", 5}}}, false);
    ASSERT_TRUE(reader.open(mode::ReadOnly | mode::DenyNone));
    EXPECT_EQ(reader.records(), 0u) << "the record exists: the transaction committed";
    ASSERT_TRUE(reader.close());
    ASSERT_TRUE(file.open());
    EXPECT_EQ(file.records(), 0u);
    EXPECT_FALSE(std::filesystem::exists(record)) << "made final, the record goes";
    ASSERT_TRUE(file.close());
    ASSERT_TRUE(reader.open(mode::ReadOnly | mode::DenyNone));
    EXPECT_EQ(reader.records(), 0u);
    EXPECT_TRUE(reader.verify());
}

TEST_F(CustomerFile, BufferedWritingShowsAtFlush) {
    KeyedFile watcher(customerDeclaration(path), &other);
    ASSERT_TRUE(watcher.open(mode::ReadOnly | mode::DenyNone));
    ASSERT_TRUE(file.stream());
    for (int i = 1; i <= 500; ++i) {
        ASSERT_TRUE(addCustomer(i, "Name"));
    }
    EXPECT_EQ(watcher.records(), 0u);
    ASSERT_TRUE(file.flush());
    EXPECT_EQ(watcher.records(), 500u);
    ASSERT_TRUE(file.stream());
    ASSERT_TRUE(addCustomer(501, "Name"));
    ASSERT_TRUE(file.close()) << "close flushes";
    EXPECT_EQ(watcher.records(), 501u);
}

TEST_F(CustomerFile, CopyRemoveAndCreateReplacing) {
    ASSERT_TRUE(addCustomer(1, "One"));
    std::string copy = dir.file("copy.dat");
    ASSERT_TRUE(file.copyTo(copy));
    ASSERT_TRUE(file.close());
    ASSERT_TRUE(file.create());
    ASSERT_TRUE(file.open());
    EXPECT_EQ(file.records(), 0u);
    KeyedFile copied(customerDeclaration(copy), &other);
    ASSERT_TRUE(copied.open());
    EXPECT_EQ(copied.records(), 1u);
    ASSERT_TRUE(copied.close());
    ASSERT_TRUE(copied.remove());
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_FALSE(copied.remove());
    EXPECT_EQ(errorcode(), err::FileNotFound);
}

TEST_F(CustomerFile, DamagedFilesGiveErrorsAndKeysAreRebuilt) {
    for (int i = 1; i <= 300; ++i) {
        ASSERT_TRUE(addCustomer(i, "Name " + std::to_string(i % 37)));
    }
    ASSERT_TRUE(file.close());
    std::string good = dir.file("good.dat");
    std::filesystem::copy_file(path, good);
    // Damage the root page of the name key, as the newest meta names it.
    std::string bytes;
    {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    auto u64 = [&](size_t at) {
        uint64_t v = 0;
        std::memcpy(&v, bytes.data() + at, 8);
        return v;
    };
    size_t meta = u64(3072 + 8) > u64(4096 + 8) ? 3072 : 4096;
    uint32_t keyPage = 0;
    std::memcpy(&keyPage, bytes.data() + meta + 64 + 24, 4);
    ASSERT_NE(keyPage, 0u);
    overwrite(path, keyPage * 4096 + 2000, "\x55\xAA\x55");
    EXPECT_FALSE(file.open());
    EXPECT_EQ(errorcode(), err::KeysMustBeRebuilt);
    ASSERT_TRUE(file.buildKeys()) << errorcode() << runtime::fileerror();
    ASSERT_TRUE(file.open());
    EXPECT_EQ(numbers(ByName).size(), 300u);
    EXPECT_TRUE(file.verify());
    ASSERT_TRUE(file.close());

    struct Case {
        std::string name;
        std::function<void(const std::string&)> damage;
    } cases[] = {
        {"empty", [](const std::string& p) { std::filesystem::resize_file(p, 0); }},
        {"truncated", [](const std::string& p) { std::filesystem::resize_file(p, 3 * 4096); }},
        {"foreign", [](const std::string& p) { overwrite(p, 0, "Just some text that is no keyed file"); }},
        {"both metas",
         [](const std::string& p) {
             overwrite(p, 3100, "xx");
             overwrite(p, 4200, "xx");
         }},
        {"header", [](const std::string& p) { overwrite(p, 100, "xx"); }},
        {"older format", [](const std::string& p) { overwrite(p, 8, std::string("\x01\0\0\0", 4)); }},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(path);
        std::filesystem::copy_file(good, path);
        c.damage(path);
        EXPECT_FALSE(file.open()) << c.name;
        EXPECT_EQ(errorcode(), err::DriverError) << c.name;
        EXPECT_FALSE(runtime::fileerror().empty()) << c.name;
    }
    EXPECT_NE(runtime::fileerror().find("another format version"), std::string::npos)
        << "a file of the older format is refused, not misread: " << runtime::fileerror();
}

} // namespace
} // namespace files_test
