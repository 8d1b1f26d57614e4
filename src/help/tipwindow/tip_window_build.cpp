// Loading a tip into the window, and showing it: parse the text as the text
// box wraps it, read its settings, create the content controls, size and
// place the window.
#include <algorithm>
#include <limits>

#include "help/engine/engine_state.h"
#include "help/markup/markup_parser.h"
#include "help/tipwindow/content_layout.h"
#include "help/tipwindow/text_box_lines.h"
#include "help/tipwindow/tip_layout.h"
#include "help/tipwindow/tip_window.h"
#include "help/tipwindow/tip_window_definition.h"
#include "help/tipwindow/tip_window_procedure.h"
#include "runtime/sys/events.h"
#include "runtime/ui/keys.h"
#include "runtime/ui/threads.h"

namespace help {
namespace {

using runtime::ui::ControlDefinition;
using runtime::ui::Prop;
using runtime::ui::Window;
namespace control = tip_control;

// Creates the content controls hidden, so that they all appear at once.
class WindowSink : public ContentSink {
public:
    explicit WindowSink(Window& window) : window_(window) {}

    int32_t create(const ControlDefinition& definition) override {
        const int32_t number = window_.create(definition);
        if (number == 0) {
            return 0;
        }
        created_.push_back(number);
        return window_.get(number, Prop::Width).number32();
    }

    void showAll() {
        for (int32_t number : created_) {
            window_.unhideControl(number);
        }
    }

private:
    Window& window_;
    std::vector<int32_t> created_;
};

} // namespace

void TipWindow::loadTip() {
    findTip(key_, *tip_);
    window_->setText(control::TipText, tip_->RVH.HELPTIP.clipped());
    const tip_layout::TipWidth width =
        tip_layout::chooseTipWidth(help::tipWidth(tip_->RVH), engineSettings().fixedWidth);
    tipWidth_ = width.width;
    if (width.store) {
        help::setTipWidth(tip_->RVH, static_cast<int16_t>(std::min<int32_t>(width.width, INT16_MAX)));
    }
}

void TipWindow::makeEditorControls() {
    Window& window = *window_;
    if (window.control(control::FirstMarkupButton) != nullptr) {
        return;
    }
    const bool pixels = window.pixelUnits();
    window.setPixelUnits(false);
    for (const ControlDefinition& definition : tipEditorControls()) {
        window.create(definition);
    }
    window.setPixelUnits(pixels);
}

void TipWindow::redisplay() {
    shown_ = false;
    destroyContent();
    window_->post(runtime::event::User);
}

void TipWindow::destroyContent() {
    window_->destroy(control::ClickArea);
    window_->destroyRange(contentControl(1), std::numeric_limits<int32_t>::max());
}

void TipWindow::showTip() {
    if (shown_) {
        return;
    }
    TextBoxLines lines(*window_, control::TipText);
    parseMarkup(lines, controls_);
    loadSettings(tip_->RVH.SETTINGS.clipped(), settings_);
    build();
}

void TipWindow::build() {
    Window& window = *window_;
    destroyContent();
    shown_ = true;
    if (isSingleHyperlink(controls_) && !runtime::ui::ctrlHeld()) {
        openHyperlink(controls_[0]);
        window.post(runtime::event::CloseWindow);
        return;
    }
    const EngineSettings settings = engineSettings();
    WindowSink sink(window);
    const int32_t penY = layOutContent(controls_, settings_, {tipWidth_, settings.tipColour}, sink);
    const bool caption = !settings.caption.blank();
    window.setCaptionShown(caption);
    window.setTitle(caption ? settings.caption.clipped() : std::string_view());
    window.setColour(settings.tipColour);
    window.set(control::Background, Prop::Colour, settings.tipColour);

    const tip_layout::TipHeight height = tip_layout::tipHeight(penY);
    height_ = height.height;
    scrolling_ = height.scrolling;
    window.setScrolling(scrolling_);
    sink.showAll();
    place();

    // Over the whole content, also where it scrolls into view.
    const runtime::ui::Rect at = window.position();
    ControlDefinition clickArea{.number = control::ClickArea,
                                .kind = runtime::kind::Region,
                                .at = {0, 0, at.width, std::max(at.height, penY + tip_layout::HeightMargin)}};
    if (window.create(clickArea) != 0) {
        window.alertKey(control::ClickArea, runtime::key::MouseLeft);
    }
    showArrows();
    window.show();
    if (TipWindowListener listener = tipWindowListener(); listener.shown) {
        listener.shown(window, key_);
    }
}

void TipWindow::place() {
    const EngineSettings settings = engineSettings();
    tip_layout::PlaceRequest request;
    request.tipWidth = tipWidth_;
    request.height = height_;
    request.anchorX = request_.anchorX;
    request.anchorY = request_.anchorY;
    request.fixedX = settings.fixedX;
    request.fixedY = settings.fixedY;
    request.fixedWidth = settings.fixedWidth;
    request.caption = window_->captionShown();
    request.scrolling = scrolling_;
    const tip_layout::Placement placed = tip_layout::placeWindow(request);

    Window& window = *window_;
    window.setPosition(placed.window);
    windowX_ = placed.window.x;
    windowY_ = placed.window.y;
    window.setControlPosition(control::Background, placed.panel);
    window.setControlPosition(control::ContentGroup, placed.group);
    if (placed.closeShown) {
        window.setControlPosition(control::Close, placed.closeButton);
        window.unhideControl(control::Close);
    } else {
        window.hideControl(control::Close);
    }
}

void TipWindow::showArrows() {
    const ArrowButtons arrows = history_.arrows();
    Window& window = *window_;
    window.set(control::Back, Prop::Hidden, !arrows.backShown);
    window.set(control::Back, Prop::Disabled, !arrows.backEnabled);
    window.set(control::Forward, Prop::Hidden, !arrows.forwardShown);
}

} // namespace help
