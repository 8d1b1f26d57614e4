// Random adds, changes and deletes checked against a model in memory: every
// order read both ways, every record found by each key, and the engine's own
// verifier after each batch. Covers page splits, merges, overflow values and
// the free list across many transactions.
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <random>

#include "customer.h"
#include "runtime/files/page.h"
#include "runtime/files/transaction.h"
#include "runtime/sys/errors.h"
#include "tips.h"

namespace files_test {
namespace {

using namespace runtime::files;
using runtime::errorcode;

std::string nameFor(std::mt19937& random) {
    static const char* parts[] = {"Smith", "jones", "BROWN", "Miller", "davis", "Garcia", "Wilson", "Moore"};
    return std::string(parts[random() % 8]) + " " + std::to_string(random() % 50);
}

struct Model {
    std::map<int32_t, std::string> byNumber; // number -> name
};

void checkAgainstModel(KeyedFile& file, CustomerRecord& rec, const Model& model) {
    ASSERT_EQ(file.records(), model.byNumber.size());
    // Number order forward and backward.
    ASSERT_TRUE(file.set(ByNumber));
    auto it = model.byNumber.begin();
    while (file.next()) {
        ASSERT_NE(it, model.byNumber.end());
        ASSERT_EQ(rec.CUSTNO.get(), it->first);
        ASSERT_EQ(rec.NAME.clipped(), it->second);
        ++it;
    }
    ASSERT_EQ(errorcode(), runtime::err::NoRecord);
    ASSERT_EQ(it, model.byNumber.end());
    ASSERT_TRUE(file.set(ByNumber));
    auto rit = model.byNumber.rbegin();
    while (file.previous()) {
        ASSERT_NE(rit, model.byNumber.rend());
        ASSERT_EQ(rec.CUSTNO.get(), rit->first);
        ++rit;
    }
    ASSERT_EQ(rit, model.byNumber.rend());
    // Name order: case-insensitive, duplicates by record id.
    std::vector<std::string> names;
    for (const auto& [n, name] : model.byNumber) {
        names.push_back(runtime::text::upper(name));
    }
    std::sort(names.begin(), names.end());
    ASSERT_TRUE(file.set(ByName));
    size_t i = 0;
    while (file.next()) {
        ASSERT_LT(i, names.size());
        ASSERT_EQ(runtime::text::upper(rec.NAME.clipped()), names[i]);
        ++i;
    }
    ASSERT_EQ(i, names.size());
    ASSERT_TRUE(file.verify()) << runtime::error() << " " << runtime::fileerror();
}

TEST(KeyedFileModel, RandomChangesMatchTheModelInEveryOrder) {
    TempDir dir;
    CustomerRecord rec;
    KeyedFile file(customerDeclaration(dir.file("Customer.dat")), &rec);
    ASSERT_TRUE(file.create());
    ASSERT_TRUE(file.open(mode::ReadWrite | mode::DenyNone));
    ASSERT_TRUE(file.send("Sync=off").size());
    Model model;
    Model committed;
    std::mt19937 random(7);
    for (int batch = 0; batch < 12; ++batch) {
        Transaction txn({&file});
        ASSERT_TRUE(txn.active());
        for (int op = 0; op < 300; ++op) {
            int32_t number = static_cast<int32_t>(1 + random() % 2000);
            int what = static_cast<int>(random() % 10);
            file.clear();
            rec.CUSTNO = number;
            bool exists = model.byNumber.count(number) != 0;
            if (what < 6) {
                std::string name = nameFor(random);
                rec.NAME = name;
                rec.CITY = "Springfield";
                bool ok = file.add();
                ASSERT_EQ(ok, !exists) << errorcode();
                if (!ok) {
                    ASSERT_EQ(errorcode(), runtime::err::DuplicateKey);
                } else {
                    model.byNumber[number] = name;
                }
            } else if (what < 8) {
                ASSERT_EQ(file.get(ByNumber), exists);
                if (exists) {
                    std::string name = nameFor(random);
                    rec.NAME = name;
                    ASSERT_TRUE(file.put()) << errorcode();
                    model.byNumber[number] = name;
                } else {
                    ASSERT_EQ(errorcode(), runtime::err::RecordNotFound);
                }
            } else {
                ASSERT_EQ(file.get(ByNumber), exists);
                if (exists) {
                    ASSERT_TRUE(file.erase()) << errorcode();
                    model.byNumber.erase(number);
                }
            }
        }
        if (batch % 4 == 3) {
            txn.rollback();
            model = committed;
        } else {
            ASSERT_TRUE(txn.commit()) << errorcode() << " " << runtime::fileerror();
            committed = model;
        }
        checkAgainstModel(file, rec, model);
    }
    ASSERT_TRUE(file.close());
    ASSERT_TRUE(file.open(mode::ReadOnly | mode::DenyNone));
    checkAgainstModel(file, rec, model);
}

} // namespace
} // namespace files_test

namespace files_test {
namespace {

TEST(KeyedFileModel, MemosOfEverySizeSurviveChangesAndReopen) {
    TempDir dir;
    TipRecord rec{};
    KeyedFile file(tipDeclaration(dir.file("tips.rvh")), &rec);
    ASSERT_TRUE(file.create());
    ASSERT_TRUE(file.open(mode::ReadWrite | mode::DenyNone));
    std::mt19937 random(11);
    std::map<std::string, std::string> model; // control name -> help text
    auto text = [&](size_t n) {
        std::string s(n, ' ');
        for (char& c : s) {
            c = static_cast<char>('a' + random() % 26);
        }
        return s;
    };
    for (int i = 0; i < 150; ++i) {
        std::string control = "?Control" + std::to_string(random() % 60);
        file.clear();
        rec.PROCEDURENAME = "Main";
        rec.CONTROLNAME = control;
        rec.CONTROLTYPE = "BUTTON";
        std::string tip = text(random() % 3 == 0 ? random() % 12000 : random() % 300);
        bool exists = file.get(0);
        file.memo(0) = tip;
        file.memo(1) = text(random() % 50);
        if (exists) {
            ASSERT_TRUE(random() % 4 ? file.put() : file.erase()) << runtime::errorcode();
            if (file.pointer() == 0) {
                model.erase(control);
                continue;
            }
        } else {
            ASSERT_TRUE(file.add()) << runtime::errorcode();
        }
        model[control] = tip.substr(0, 10000); // memos are cut at their size
    }
    ASSERT_TRUE(file.verify()) << runtime::fileerror();
    ASSERT_TRUE(file.close());
    ASSERT_TRUE(file.open(mode::ReadOnly | mode::DenyNone));
    ASSERT_EQ(file.records(), model.size());
    for (const auto& [control, tip] : model) {
        rec.PROCEDURENAME = "main"; // keys ignore case
        rec.CONTROLNAME = control;
        ASSERT_TRUE(file.get(0)) << control;
        EXPECT_EQ(file.memo(0), tip);
    }
}

} // namespace
} // namespace files_test

namespace files_test {
namespace {

// Trees order whole keys by unsigned bytes, shorter first on a common prefix;
// the comparison works a word at a time, so lengths either side of a word and
// bytes with the top bit set are where it could go wrong.
TEST(KeyOrder, WordAtATimeComparisonMatchesByteOrder) {
    std::mt19937 random(11);
    const uint8_t alphabet[] = {0x00, 0x01, 0x7F, 0x80, 0xFE, 0xFF};
    for (int i = 0; i < 20000; ++i) {
        std::vector<uint8_t> a(random() % 20), b;
        for (uint8_t& c : a) {
            c = alphabet[random() % 6];
        }
        b = a;
        b.resize(random() % 2 ? a.size() : random() % 20, alphabet[random() % 6]);
        if (!b.empty() && random() % 2) {
            b[random() % b.size()] = alphabet[random() % 6];
        }
        int expected = std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end())   ? -1
                       : std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end()) ? 1
                                                                                              : 0;
        int got = page::compare(a.data(), static_cast<uint32_t>(a.size()), b.data(),
                                static_cast<uint32_t>(b.size()));
        ASSERT_EQ((got > 0) - (got < 0), expected) << "lengths " << a.size() << " and " << b.size();
    }
}

} // namespace
} // namespace files_test
