// The conversion of an old tip file as a program that installed the engine
// shows it: a window with a progress bar that follows the records and is
// gone when the conversion ends, however it ends.
#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "engine_fixture.h"
#include "help/engine/upgrade_window.h"
#include "help/store/stored_tips.h"
#include "help/store/upgrade_tip_file.h"
#include "runtime/ui/progress.h"
#include "runtime/ui/property.h"
#include "runtime/ui/window.h"

namespace {

using helptest::EngineTest;
using runtime::ui::Prop;

constexpr const char* Caption = "Upgrading the tip file";

HWND shownUpgradeWindow() {
    return FindWindowA(nullptr, Caption);
}

// The bar sits on the window's client area, not directly on the window.
HWND progressBarOf(HWND window) {
    HWND found = nullptr;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM result) -> BOOL {
            char name[64]{};
            GetClassNameA(child, name, sizeof name);
            if (lstrcmpiA(name, PROGRESS_CLASSA) != 0) {
                return TRUE;
            }
            *reinterpret_cast<HWND*>(result) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

int32_t barPosition(HWND window) {
    HWND bar = progressBarOf(window);
    return bar == nullptr ? -1 : static_cast<int32_t>(SendMessageA(bar, PBM_GETPOS, 0, 0));
}

TEST(UpgradeWindow, FollowsTheRecordsAndClosesAtTheEnd) {
    help::UpgradeWindow window;
    window.begin(40);
    HWND shown = shownUpgradeWindow();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(IsWindowVisible(shown));
    window.step(10);
    EXPECT_EQ(barPosition(shown), 10);
    window.step(40);
    EXPECT_EQ(barPosition(shown), 40);
    window.end();
    EXPECT_EQ(shownUpgradeWindow(), nullptr);
    window.end(); // a second end, as after a failure that already ended it
}

TEST(UpgradeWindow, ShowsAFileLargerThanTheBarsRangeInProportion) {
    help::UpgradeWindow window;
    const uint64_t huge = 6'000'000'000ULL;
    window.begin(huge);
    HWND shown = shownUpgradeWindow();
    ASSERT_NE(shown, nullptr);
    HWND bar = progressBarOf(shown);
    ASSERT_NE(bar, nullptr);
    const auto high = static_cast<int32_t>(SendMessageA(bar, PBM_GETRANGE, FALSE, 0));
    window.step(huge / 2);
    const int32_t half = barPosition(shown);
    EXPECT_GT(half, 0);
    EXPECT_NEAR(static_cast<double>(half) / high, 0.5, 0.01);
    window.end();
}

class UpgradeThroughTheEngine : public EngineTest {};

TEST_F(UpgradeThroughTheEngine, ConvertsAnOldFileAndLeavesNoWindowBehind) {
    char folder[MAX_PATH]{};
    GetTempPathA(MAX_PATH, folder);
    // The conversion leaves its copy of the old file in the current folder.
    SetCurrentDirectoryA(folder);
    const std::string path = std::string(folder) + "upgrade_window_test.rvh";
    std::vector<help::StoredTip> tips(300);
    for (size_t i = 0; i < tips.size(); ++i) {
        tips[i].record.PROCEDURENAME = "Form";
        tips[i].record.CONTROLNAME = "?Field" + std::to_string(i);
        tips[i].record.CONTROLTYPE = "ENTRY";
        tips[i].helpTip = "Tip " + std::to_string(i);
    }
    ASSERT_TRUE(help::writeStoredTips(path, tips, true));

    UpgradeTipFile(path.c_str());

    EXPECT_EQ(shownUpgradeWindow(), nullptr);
    std::vector<help::StoredTip> converted;
    ASSERT_TRUE(help::readStoredTips(path, converted));
    EXPECT_EQ(converted.size(), tips.size());
    EXPECT_TRUE(boxes.messages().empty());
    std::filesystem::remove(path);
    std::filesystem::remove(std::string(folder) + "rvTemp$).)$(");
}

} // namespace
