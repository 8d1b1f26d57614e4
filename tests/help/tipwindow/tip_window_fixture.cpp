#include "tip_window_fixture.h"

#include <chrono>

#include "help/engine/engine_setup.h"
#include "help/engine/engine_state.h"
#include "help/engine/exports.h"
#include "help/store/store_state.h"
#include "runtime/sys/events.h"
#include "runtime/ui/threads.h"
#include "runtime/ui/window.h"

namespace tiptest {

help::StoredTip hostTip(std::string_view control, std::string_view type, std::string_view text,
                        std::string_view settings, int16_t width) {
    help::StoredTip tip;
    tip.record.PROCEDURENAME = "HostWindow";
    tip.record.CONTROLNAME = control;
    tip.record.CONTROLTYPE = type;
    tip.helpTip = std::string(text);
    tip.settings = std::string(settings);
    if (width != 0) {
        tip.other = std::string{static_cast<char>(width & 0xFF), static_cast<char>((width >> 8) & 0xFF)};
    }
    return tip;
}

help::StoredTip linkedTip(std::string_view control, std::string_view text) {
    help::StoredTip tip = hostTip(control, "", text);
    tip.record.PROCEDURENAME = "";
    return tip;
}

std::string storedRows(const std::vector<Row>& rows) {
    std::string stored;
    std::string previous;
    for (const Row& row : rows) {
        if (row.control != previous) {
            stored += "[" + row.control + "]";
            previous = row.control;
        }
        stored += row.property + ";" + row.value + "\xAB";
    }
    return stored;
}

helptest::HostSetup roomyHost() {
    helptest::HostSetup setup = helptest::standardHost();
    setup.definition.at.x = 300;
    setup.definition.at.y = 250;
    return setup;
}

void TipWindowTest::SetUpTestSuite() {
    help::installHelpEngine();
}

void TipWindowTest::SetUp() {
    help::resetEngineState();
    help::resetStoreState();
    static int counter = 0;
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    folder_ = std::filesystem::temp_directory_path() /
              ("rv-tipwindow-" + std::to_string(stamp) + "-" + std::to_string(++counter));
    std::filesystem::create_directories(folder_);
    previousFolder_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_);
}

void TipWindowTest::TearDown() {
    closeTip();
    help::resetEngineState();
    help::resetStoreState();
    std::filesystem::current_path(previousFolder_);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void TipWindowTest::writeTips(const std::vector<help::StoredTip>& tips) {
    ASSERT_TRUE(help::writeStoredTips("ruvo.rvh", tips, false));
}

std::vector<help::StoredTip> TipWindowTest::storedTips() {
    std::vector<help::StoredTip> stored;
    EXPECT_TRUE(help::readStoredTips("ruvo.rvh", stored));
    return stored;
}

int32_t TipWindowTest::ask(helptest::HostWindow& host, int32_t control) {
    for (const helptest::TipName& name : host.setup().tips) {
        if (name.control == control) {
            return host.run([&](runtime::ui::Window&) {
                return rvCallHelpTipEx("ruvo.rvh", "HostWindow", name.use.c_str(), name.type.c_str(),
                                       control);
            });
        }
    }
    ADD_FAILURE() << "the host has no tip name for control " << control;
    return 0;
}

ShownTip TipWindowTest::askAndWait(helptest::HostWindow& host, int32_t control) {
    size_t before = tips.shown().size();
    ask(host, control);
    EXPECT_TRUE(tips.waitForShown(before + 1)) << "no tip shown for control " << control;
    return tips.last();
}

void TipWindowTest::closeTip() {
    int32_t thread = help::handOver().tipWindowThread;
    if (thread != 0 && runtime::ui::threadExists(thread)) {
        runtime::ui::post(runtime::event::CloseWindow, 0, thread);
        runtime::ui::waitForThread(thread, std::chrono::seconds(10));
    }
}

} // namespace tiptest
