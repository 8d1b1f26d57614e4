// One open tip window: its request, the tip it shows, its lists and its
// history, the runtime window, and the steps of its life (start, load, show,
// place, the events, close). runTipWindow (tip_window.h) makes one and runs
// it; the editor and the formatter (tip_window_modes.h) work on it.
//
//   tip_window.cpp          start, the event loop, focus, close
//   tip_window_build.cpp    load, show (parse, settings, build), place, arrows
//   tip_window_actions.cpp  clicks on content, history moves, tip links
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "help/markup/control_list.h"
#include "help/markup/settings_list.h"
#include "help/store/tip_store.h"
#include "help/tipwindow/click_dispatcher.h"
#include "help/tipwindow/tip_history.h"
#include "runtime/ui/window.h"

namespace help {

class TipWindowModes;

class TipWindow : private TipActions {
public:
    // Takes the request from the tip store's current key and the engine's
    // hand-over.
    TipWindow();
    ~TipWindow() override;
    TipWindow(const TipWindow&) = delete;
    TipWindow& operator=(const TipWindow&) = delete;

    // Start, the event loop and close; returns when the window has closed.
    void run();

    // ---- For the modes ----------------------------------------------------
    runtime::ui::Window& window() { return *window_; }
    LoadedTip& tip() { return *tip_; }
    const TipKey& currentKey() const { return key_; }
    ControlList& controls() { return controls_; }
    SettingsList& settings() { return settings_; }
    int32_t tipWidth() const { return tipWidth_; }
    void setTipWidth(int32_t width) { tipWidth_ = width; }
    bool editing() const { return editing_; }
    bool formatting() const { return formatting_; }
    void setEditing(bool on) { editing_ = on; }
    void setFormatting(bool on) { formatting_ = on; }
    // Makes the editor's controls 8 to 22, hidden, the first time it is called.
    void makeEditorControls();
    // Forgets the built tip and asks for it to be built again.
    void redisplay();
    // Sizes and places the window for the tip width and the content height.
    void place();

private:
    struct Request {
        TipKey key;
        int32_t anchorX = 0;
        int32_t anchorY = 0;
        bool hover = false;
        bool ownThread = false; // not on the thread that asked for the tip
        int32_t callingThread = 0;
    };

    // tip_window.cpp
    bool start();
    void handleEvent();
    void handleAlertKey(int32_t keyCode, int32_t control);
    void handleAccepted(int32_t control);
    void opened();
    void lostFocus();
    bool editAllowed() const;
    void close();

    // tip_window_build.cpp
    void loadTip();
    void showTip();
    void build();
    void destroyContent();
    void showArrows();

    // tip_window_actions.cpp
    void goTo(const TipKey& key);
    void moveBack();
    void moveForward();
    void saveSettings();
    void openHyperlink(const ControlEntry& link) override;
    void followTipLink(const ControlEntry& link) override;
    void runProgram(std::string_view commandLine) override;
    void closeAndPost(int32_t event, int32_t thread) override;
    void closeAndOpenHelp(std::string_view helpFile, std::string_view topic) override;

    Request request_;
    int32_t thread_ = 0;
    TipWindowModes* modes_ = nullptr;
    std::unique_ptr<runtime::ui::Window> window_;
    bool storeOpen_ = false;

    TipKey key_;
    std::unique_ptr<LoadedTip> tip_; // large: kept off the thread's stack
    int32_t tipWidth_ = 0;
    int32_t windowX_ = 0;
    int32_t windowY_ = 0;
    int32_t height_ = 0;
    bool scrolling_ = false;
    bool shown_ = false;
    bool opened_ = false;
    bool editing_ = false;
    bool formatting_ = false;
    TipHistory history_;
    runtime::text::Fixed<80> pendingHelpFile_;
    runtime::text::Fixed<80> pendingTopic_;
    ControlList controls_;
    SettingsList settings_;
};

} // namespace help
