// The tip window's life: start, the event loop, focus and close.
#include "help/tipwindow/tip_window.h"

#include "help/engine/engine_state.h"
#include "help/store/store_state.h"
#include "help/tipwindow/content_layout.h"
#include "help/tipwindow/text_box_lines.h"
#include "help/tipwindow/tip_layout.h"
#include "help/tipwindow/tip_settings.h"
#include "help/tipwindow/tip_window_definition.h"
#include "help/tipwindow/tip_window_modes.h"
#include "help/tipwindow/tip_window_procedure.h"
#include "msghook/hook.h"
#include "runtime/sys/command_line.h"
#include "runtime/sys/events.h"
#include "runtime/sys/interaction.h"
#include "runtime/ui/keys.h"
#include "runtime/ui/threads.h"

namespace help {
namespace {

using runtime::ui::Prop;
namespace event = runtime::event;
namespace key = runtime::key;
namespace control = tip_control;

constexpr std::string_view DefaultNoHelpText = "No Help for This Topic";
constexpr int32_t Redisplay = event::User;
constexpr int32_t CtrlE = key::ctrl('E');
constexpr int32_t CtrlC = key::ctrl('C');
constexpr int32_t CtrlH = key::ctrl('H');
constexpr int32_t CtrlJ = key::ctrl('J');
constexpr int32_t ArrowButtonSize = 16;

void setOpenFlag(bool open) {
    changeHandOver([open](HandOver& handOver) { handOver.tipWindowOpen = open ? 1 : 0; });
}

std::string flagText(std::string_view name, int32_t value) {
    return std::string(name) + std::to_string(value);
}

} // namespace

void runTipWindow() {
    auto tip = std::make_unique<TipWindow>();
    tip->run();
}

TipWindow::TipWindow() : tip_(std::make_unique<LoadedTip>()) {
    const HandOver handOver = help::handOver();
    thread_ = runtime::ui::currentThread();
    request_.key = currentTip();
    request_.anchorX = handOver.anchorX;
    request_.anchorY = handOver.anchorY;
    request_.hover = handOver.hoverFlag != 0;
    request_.callingThread = handOver.callingThread;
    request_.ownThread = handOver.callingThread != 0 && handOver.callingThread != thread_;
    key_ = request_.key;
    modes_ = tipWindowModes();
}

TipWindow::~TipWindow() = default;

void TipWindow::run() {
    if (start()) {
        while (window_->accept()) {
            handleEvent();
        }
    }
    close();
}

// ---- Start ----------------------------------------------------------------

bool TipWindow::start() {
    setOpenFlag(true);
    if (request_.ownThread) {
        // The watcher may want to close this window before the request has
        // stored the thread it started.
        changeHandOver([this](HandOver& handOver) { handOver.tipWindowThread = thread_; });
    }
    if (noHelpText().blank()) {
        setNoHelpText(DefaultNoHelpText);
    }
    storeOpen_ = openTipStore(&tip_->RVH);
    if (!storeOpen_) {
        return false;
    }
    window_ = std::make_unique<runtime::ui::Window>(tipWindowDefinition());
    runtime::ui::Window& window = *window_;
    if (!window.isOpen()) {
        return false;
    }
    window.setPixelUnits(true);
    runtime::ui::setKeyAlias(key::F1, CtrlH);
    for (int32_t alerted : {key::F2, key::F3, CtrlE, CtrlC, CtrlH, CtrlJ}) {
        window.alert(alerted);
    }
    runtime::ui::Rect at = window.position();
    windowX_ = at.x;
    windowY_ = at.y;
    window.setPosition({at.x, at.y, tip_layout::StartWidth, at.height});
    window.setControlPosition(control::Back, {1, 1, ArrowButtonSize, ArrowButtonSize});
    window.setControlPosition(control::Forward, {1, 2 + ArrowButtonSize, ArrowButtonSize, ArrowButtonSize});
    runtime::ui::Rect text = window.controlPosition(control::TipText);
    window.setControlPosition(control::TipText, {text.x, text.y, textBoxWidthFor(TipWrapWidth), text.height});

    changeEngineSettings([](EngineSettings& settings) {
        if (settings.tipColour == 0) {
            settings.tipColour = DefaultTipColour;
        }
    });
    const int32_t colour = engineSettings().tipColour;
    window.set(control::Background, Prop::Colour, colour);
    window.setColour(colour);

    history_.clear();
    loadTip();
    if (request_.hover && tip_->RVH.HELPTIP.clipped() == noHelpText().clipped()) {
        return false; // hovering over a control without a tip shows nothing
    }
    window.post(Redisplay);
    return true;
}

// ---- Events ---------------------------------------------------------------

void TipWindow::handleEvent() {
    runtime::ui::Window& window = *window_;
    const int32_t number = window.event();
    const int32_t on = window.eventControl();
    msghook::WinDebug("RuvoTipWindow " + std::to_string(thread_), {}, number, on);
    switch (number) {
    case event::AlertKey:
        handleAlertKey(window.keyCode(), on);
        break;
    case event::Accepted:
        handleAccepted(on);
        break;
    case event::OpenWindow:
        if (!opened_) {
            opened();
        }
        break;
    case event::GainFocus:
        if (!opened_) {
            opened();
        } else {
            window.activate();
        }
        break;
    case event::LoseFocus:
        lostFocus();
        break;
    case Redisplay:
        if (editing_ || formatting_) {
            if (modes_ != nullptr) {
                modes_->handleEvent(*this);
            }
        } else {
            showTip();
        }
        break;
    case event::Sized:
        if (editing_ && modes_ != nullptr) {
            modes_->handleEvent(*this);
        }
        break;
    default:
        break;
    }
}

void TipWindow::handleAlertKey(int32_t keyCode, int32_t on) {
    if (keyCode == CtrlE) {
        if (editAllowed() && !formatting_ && modes_ != nullptr) {
            modes_->enterEditMode(*this);
        }
    } else if (keyCode == CtrlC) {
        if (editAllowed() && !editing_ && tip_->recordMode != record_mode::New && modes_ != nullptr) {
            modes_->enterFormattingMode(*this);
        }
    } else if (runtime::ui::isMouseCode(keyCode)) {
        if (formatting_) {
            if (modes_ != nullptr) {
                modes_->handleEvent(*this);
            }
        } else if (on == control::ClickArea && keyCode == runtime::key::MouseLeft &&
                   engineSettings().stayOpen == 0) {
            window_->post(event::CloseWindow);
        }
    }
}

void TipWindow::handleAccepted(int32_t on) {
    const bool modeControl = (on >= control::FirstMarkupButton && on <= control::EditorCancel) ||
                             (formatting_ && (on == control::Close || on >= control::FormattingOverlay));
    if (modeControl) {
        if (modes_ != nullptr) {
            modes_->handleEvent(*this);
        }
    } else if (on == control::Back) {
        moveBack();
    } else if (on == control::Forward) {
        moveForward();
    } else if (on == control::Close) {
        window_->post(event::CloseWindow);
    } else if (on >= contentControl(1)) {
        dispatchClick(on, controls_, settings_, *this);
    }
}

void TipWindow::opened() {
    opened_ = true;
    window_->activate();
    window_->select(control::Background);
}

void TipWindow::lostFocus() {
    const bool stayOpen = engineSettings().stayOpen != 0;
    const bool debug = runtime::hasSwitch("/rvDebug");
    if (request_.ownThread && !stayOpen && !request_.hover && !editing_ && !formatting_) {
        if (debug) {
            runtime::message("posting event:closewindow");
        }
        window_->post(event::CloseWindow);
    }
    if (debug) {
        runtime::message(flagText("RuvoCall = ", request_.ownThread ? thread_ : 0) + "|" +
                         flagText(" EditMode = ", editing_) + "|" +
                         flagText("ControlFormatting = ", formatting_) + "|" +
                         flagText("g:StayOpen = ", stayOpen) + "|" + flagText("g:Qtip = ", request_.hover));
    }
}

bool TipWindow::editAllowed() const {
    switch (engineSettings().editPermission) {
    case edit_permission::Allowed:
        return true;
    case edit_permission::WithSwitch:
        return runtime::hasSwitch("/EditTips");
    default:
        return false;
    }
}

// ---- Close ----------------------------------------------------------------

void TipWindow::close() {
    controls_.clear();
    settings_.clear();
    history_.clear();
    if (storeOpen_) {
        closeTipStore();
        storeOpen_ = false;
    }
    window_.reset();
    if (!pendingHelpFile_.blank()) {
        HelpTopic help = pendingHelpTopic(pendingHelpFile_.view(), pendingTopic_.view());
        if (help.showTopic) {
            runtime::message(help.topic);
        }
        runtime::interaction().windowsHelp(help.file, help.topic);
    }
    runtime::ui::clearKeyAliases();
    setOpenFlag(false);
    if (TipWindowListener listener = tipWindowListener(); listener.closed) {
        listener.closed();
    }
}

} // namespace help
