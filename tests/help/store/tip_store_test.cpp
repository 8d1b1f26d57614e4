// Finding and saving tips through the tip store, and opening it on files that
// are missing, unreachable or not tip files.
#include <gtest/gtest.h>
#include <thread>

#include "help/store/store_hooks.h"
#include "help/store/store_state.h"
#include "help/store/tip_file_layout.h"
#include "help/store/tip_store.h"
#include "msghook/trace.h"
#include "runtime/expr/bindings.h"
#include "runtime/files/keyed_file.h"
#include "runtime/sys/clock.h"
#include "runtime/sys/command_line.h"
#include "runtime/sys/debug_output.h"
#include "runtime/sys/errors.h"
#include "runtime/text/dates.h"
#include "store_fixture.h"

namespace store_test {
namespace {

using namespace help;

class TipStoreTest : public StoreTest {
protected:
    void open() { ASSERT_TRUE(openTipStore()); }

    LoadedTip find(std::string_view procedure, std::string_view control, std::string_view type) {
        LoadedTip loaded;
        findTip(tipKey(procedure, control, type), loaded);
        return loaded;
    }
};

TEST_F(TipStoreTest, FallBacksFromProcedureTipToControlTipToTypeDefault) {
    struct Case {
        std::vector<StoredTip> tips;
        TipKind kind;
        std::string text;
    } cases[] = {
        {{tip("", "", "BUTTON", "default"), tip("", "?OK", "BUTTON", "control"),
          tip("Main", "?OK", "BUTTON", "procedure")},
         TipKind::ProcedureTip,
         "procedure"},
        {{tip("", "", "BUTTON", "default"), tip("", "?OK", "BUTTON", "control")},
         TipKind::ControlTip,
         "control"},
        {{tip("Other", "?OK", "BUTTON", "elsewhere"), tip("", "", "BUTTON", "default")},
         TipKind::TypeDefault,
         "default"},
        // Tips of the type that carry a name are skipped; a type written in
        // other capitals does not end the search.
        {{tip("Other", "", "BUTTON", "named"), tip("", "?X", "button", "named"),
          tip("", "", "Button", "default")},
         TipKind::TypeDefault,
         "default"},
        {{tip("MAIN", "?ok", "BUTTON", "any case")}, TipKind::ProcedureTip, "any case"},
        {{tip("Main", "?Cancel", "BUTTON", "other control"), tip("", "", "ENTRY", "other type")},
         TipKind::None,
         "No help here"},
    };
    setNoHelpText("No help here");
    for (const Case& c : cases) {
        writeTips(c.tips);
        open();
        LoadedTip loaded = find("Main", "?OK", "BUTTON");
        EXPECT_EQ(loaded.kind, c.kind) << c.text;
        EXPECT_EQ(loaded.RVH.HELPTIP, c.text);
        EXPECT_EQ(loaded.recordMode, c.kind == TipKind::None ? record_mode::New : record_mode::Existing);
        if (c.kind == TipKind::TypeDefault || c.kind == TipKind::None) {
            // The window shows it under the asked-for key, so that saving makes a procedure tip.
            EXPECT_EQ(loaded.RVH.PROCEDURENAME, "Main");
            EXPECT_EQ(loaded.RVH.CONTROLNAME, "?OK");
            EXPECT_EQ(loaded.RVH.CONTROLTYPE, "BUTTON");
        }
        closeTipStore();
    }
}

TEST_F(TipStoreTest, SavingFollowsTheRecordMode) {
    runtime::ScopedFixedTime clock(*runtime::text::dayNumber(2024, 5, 1), 0);
    std::vector<int32_t> told;
    setTipAddedNotifier([&](int32_t thread) { told.push_back(thread); });

    // Only a type default: the edit becomes a procedure tip, the default stays.
    writeTips({tip("", "", "BUTTON", "default")});
    open();
    LoadedTip loaded = find("Main", "?OK", "BUTTON");
    loaded.RVH.HELPTIP = "edited";
    SaveOutcome saved = saveTip(loaded, "settings", 7);
    EXPECT_TRUE(saved.ok);
    EXPECT_EQ(saved.action, SaveAction::Added);
    EXPECT_EQ(find("Main", "?OK", "BUTTON").kind, TipKind::ProcedureTip);
    EXPECT_EQ(find("Other", "?OK", "BUTTON").RVH.HELPTIP, "default");
    EXPECT_TRUE(told.empty()) << "only a tip that did not exist is announced";

    // Saving again changes the added tip; it adds no second one.
    loaded.RVH.HELPTIP = "edited again";
    EXPECT_EQ(saveTip(loaded, "settings", 7).action, SaveAction::Updated);
    EXPECT_EQ(find("Main", "?OK", "BUTTON").RVH.HELPTIP, "edited again");

    // A control tip is changed in place, for every procedure.
    closeTipStore();
    writeTips({tip("", "?OK", "BUTTON", "control")});
    open();
    loaded = find("Main", "?OK", "BUTTON");
    loaded.RVH.HELPTIP = "changed";
    EXPECT_EQ(saveTip(loaded, "", 7).action, SaveAction::Updated);
    EXPECT_EQ(find("Other", "?OK", "BUTTON").RVH.HELPTIP, "changed");
    EXPECT_EQ(storedTips().size(), 1u);

    // A new key adds a tip and keeps the old one; new capitals only rename it.
    loaded = find("", "?OK", "BUTTON");
    loaded.RVH.CONTROLNAME = "?Ok";
    EXPECT_EQ(saveTip(loaded, "", 7).action, SaveAction::Updated);
    loaded.RVH.PROCEDURENAME = "Main";
    EXPECT_EQ(saveTip(loaded, "", 7).action, SaveAction::Added);
    EXPECT_EQ(storedTips().size(), 2u);

    // A blank text deletes the tip.
    loaded.RVH.HELPTIP = "";
    EXPECT_EQ(saveTip(loaded, "", 7).action, SaveAction::Deleted);
    EXPECT_EQ(loaded.recordMode, record_mode::New);
    EXPECT_EQ(find("Main", "?Ok", "BUTTON").kind, TipKind::ControlTip);

    // A tip that was not found is added with today's date, even blank, and the asking thread is told.
    setNoHelpText("");
    loaded = find("Main", "?Help", "BUTTON");
    ASSERT_EQ(loaded.kind, TipKind::None);
    saved = saveTip(loaded, "", 7);
    EXPECT_TRUE(saved.ok);
    EXPECT_EQ(saved.action, SaveAction::Added);
    EXPECT_EQ(loaded.recordMode, record_mode::Existing);
    EXPECT_EQ(told, std::vector<int32_t>{7});
    LoadedTip stored = find("Main", "?Help", "BUTTON");
    EXPECT_EQ(stored.kind, TipKind::ProcedureTip);
    EXPECT_EQ(int32_t(stored.RVH.LASTEDITDATE), *runtime::text::dayNumber(2024, 5, 1));
    setTipAddedNotifier(nullptr);
}

TEST_F(TipStoreTest, EachWindowWritesTheRecordItRead) {
    writeTips({tip("Main", "?A", "BUTTON", "a"), tip("Main", "?B", "BUTTON", "b")});
    open();
    LoadedTip first = find("Main", "?A", "BUTTON");
    LoadedTip second = find("Main", "?B", "BUTTON");
    first.RVH.HELPTIP = "a changed";
    ASSERT_TRUE(saveTip(first, "", 0).ok);
    EXPECT_EQ(find("Main", "?A", "BUTTON").RVH.HELPTIP, "a changed");
    EXPECT_EQ(find("Main", "?B", "BUTTON").RVH.HELPTIP, "b");

    // A record deleted meanwhile is not written over; the failure is one trace line.
    second.RVH.HELPTIP = "";
    ASSERT_TRUE(saveTip(second, "", 0).ok);
    runtime::ScopedCommandLine debug("rvdemo.exe /debug");
    runtime::ScopedDebugCapture trace;
    LoadedTip stale = find("Main", "?A", "BUTTON");
    LoadedTip remover = stale;
    remover.RVH.HELPTIP = "";
    ASSERT_TRUE(saveTip(remover, "", 0).ok);
    stale.RVH.HELPTIP = "too late";
    SaveOutcome outcome = saveTip(stale, "", 0);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(trace.texts(), std::vector<std::string>{msghook::traceLine(
                                 "ERROR, Updating Ruvo record : " + outcome.error, "", 0, 0, 0)});
    EXPECT_TRUE(storedTips().empty());
}

TEST_F(TipStoreTest, TextLongerThanTheMemoIsCut) {
    open();
    LoadedTip loaded = find("Main", "?OK", "BUTTON");
    loaded.RVH.HELPTIP = std::string(HelpTipSize + 2000, 'x');
    loaded.RVH.OTHER = "";
    setTipWidth(loaded.RVH, 200);
    ASSERT_TRUE(saveTip(loaded, std::string(SettingsSize + 1, 's'), 0).ok);
    std::vector<StoredTip> tips = storedTips();
    ASSERT_EQ(tips.size(), 1u);
    EXPECT_EQ(tips[0].helpTip, std::string(HelpTipSize, 'x'));
    EXPECT_EQ(tips[0].settings.size(), SettingsSize);
    EXPECT_EQ(tipWidth(find("Main", "?OK", "BUTTON").RVH), 200) << "a width with a zero high byte survives";
}

TEST_F(TipStoreTest, DebugSwitchShowsHowTheLookupWent) {
    writeTips({tip("Main", "?OK", "BUTTON", "here")});
    open();
    runtime::ScopedCommandLine debug("rvdemo.exe /rvDebug");
    find("Main", "?OK", "BUTTON");
    find("Main", "?No", "BUTTON");
    std::vector<std::string> stops = user.stops();
    ASSERT_EQ(stops.size(), 2u);
    EXPECT_EQ(stops[0], "Loading tip from : tips.rvh proc = Main control ?OK" + std::string(47, ' ') + " 0 ");
    EXPECT_EQ(stops[1].substr(0, 51), "Loading tip from : tips.rvh proc = Main control ?No");
    EXPECT_NE(stops[1].find(" 33 "), std::string::npos) << stops[1];
}

TEST_F(TipStoreTest, OpenCountsShareOnePhysicalOpen) {
    open();
    open();
    EXPECT_EQ(tipFileOpenCount(), 2);
    EXPECT_EQ(linkViewOpenCount(), 2);
    closeTipStore();
    EXPECT_EQ(find("Main", "?OK", "BUTTON").kind, TipKind::None) << "still open for the other window";
    closeTipStore();
    closeTipStore();
    EXPECT_EQ(tipFileOpenCount(), 0);
    EXPECT_TRUE(user.messages().empty()) << "a missing tip file is created without a word";
    EXPECT_TRUE(writeStoredTips("tips.rvh", {}, false)) << "nobody has the file open any more";
}

// Every open reads a small file whole to check it: a tip request must not
// open a sound file more often than its two views need.
TEST_F(TipStoreTest, ASoundFileIsOpenedOnceForEachView) {
    writeTips({tip("Main", "?OK", "BUTTON", "Press it")});
    FaultyFileSystem files;
    files.countedPath = "tips.rvh";
    open();
    EXPECT_EQ(files.countedOpens, 2);
    EXPECT_EQ(find("Main", "?OK", "BUTTON").RVH.HELPTIP.clipped(), "Press it");
    EXPECT_TRUE(user.messages().empty());
}

TEST_F(TipStoreTest, NamesAreBoundToTheWindowsBuffers) {
    runtime::expr::ScopedNames scope;
    Tip shown, linked;
    ASSERT_TRUE(openTipStore(&shown, &linked));
    auto procedure = runtime::expr::lookup("RVH:PROCEDURENAME");
    auto text = runtime::expr::lookup("rvh:helptip");
    auto other = runtime::expr::lookup("LIN:Other");
    ASSERT_TRUE(procedure && text && other);
    EXPECT_EQ(procedure->base, static_cast<const TipRecord*>(&shown));
    EXPECT_EQ(text->base, &shown.HELPTIP);
    EXPECT_EQ(other->base, &linked.OTHER);
}

TEST_F(TipStoreTest, LinkViewReadsEveryKey) {
    writeTips({tip("B", "?2", "T", ""), tip("A", "?1", "T", ""), tip("", "", "T", "")});
    open();
    std::vector<TipKey> keys;
    ASSERT_TRUE(readLinkTips(tip_key::ProcedureName, keys));
    ASSERT_EQ(keys.size(), 2u) << "the key leaves out blank names";
    EXPECT_EQ(keys[0].procedure, "A");
    ASSERT_TRUE(readLinkTips(runtime::files::PhysicalOrder, keys));
    EXPECT_EQ(keys.size(), 3u);
}

TEST_F(TipStoreTest, UnusableFilesAreRefusedWithTheirMessages) {
    setTipFileName("no such folder/tips.rvh");
    EXPECT_FALSE(openTipStore());
    ASSERT_EQ(user.messages().size(), 1u);
    EXPECT_EQ(user.messages()[0].title, "Ruvo error");
    EXPECT_EQ(user.messages()[0].text, "Error opening Ruvo file\r\nPath not found\r\n" + tipFileName().str());
    EXPECT_EQ(tipFileOpenCount(), 0);

    // Bytes that are no keyed file: the access message, then the program ends.
    setTipFileName("notes.txt");
    {
        std::FILE* f = std::fopen("notes.txt", "wb");
        std::fputs("just some notes, not a tip file", f);
        std::fclose(f);
    }
    EXPECT_THROW(openTipStore(), testing_support::Halted);
    ASSERT_EQ(user.messages().size(), 2u);
    EXPECT_EQ(user.messages()[1].title, "File Access Error");

    // A keyed file of another layout is left as it is and refused.
    setTipFileName("customers.dat");
    {
        runtime::files::Declaration other;
        other.fileName = "customers.dat";
        other.recordSize = 10;
        other.fields = {{"CUS:NAME", runtime::files::FieldType::String, 0, 10}};
        char record[10] = {};
        runtime::files::KeyedFile customers(other, record);
        ASSERT_TRUE(customers.create());
    }
    const std::string before = readBytes("customers.dat");
    try {
        openTipStore();
        ADD_FAILURE() << "a foreign file ends the program";
    } catch (const testing_support::Halted& halted) {
        EXPECT_EQ(halted.haltText, "Invalid File!");
    }
    ASSERT_EQ(user.messages().size(), 4u);
    EXPECT_EQ(user.messages()[2].text.substr(0, 43), "Unable to access Tip file : customers.dat b");
    EXPECT_EQ(user.messages()[3].title, "Invalid File");
    EXPECT_EQ(readBytes("customers.dat"), before);
    EXPECT_FALSE(std::filesystem::exists("rvTemp$).)$("));
}

TEST_F(TipStoreTest, TipWindowsOnSeveralThreadsShareTheStore) {
    constexpr int Threads = 4;
    constexpr int Rounds = 25;
    std::vector<std::thread> windows;
    for (int t = 0; t < Threads; ++t) {
        windows.emplace_back([t] {
            const std::string control = "?C" + std::to_string(t);
            for (int round = 0; round < Rounds; ++round) {
                if (!openTipStore()) {
                    return;
                }
                LoadedTip loaded;
                findTip(tipKey("Main", control, "BUTTON"), loaded);
                loaded.RVH.HELPTIP = std::to_string(round);
                saveTip(loaded, "", t + 1);
                closeTipStore();
            }
        });
    }
    for (std::thread& w : windows) {
        w.join();
    }
    EXPECT_EQ(tipFileOpenCount(), 0);
    std::vector<StoredTip> tips = storedTips();
    ASSERT_EQ(tips.size(), size_t(Threads));
    for (const StoredTip& stored : tips) {
        EXPECT_EQ(stored.helpTip, std::to_string(Rounds - 1));
    }
}

} // namespace
} // namespace store_test
