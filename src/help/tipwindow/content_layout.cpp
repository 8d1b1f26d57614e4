#include "help/tipwindow/content_layout.h"

#include "help/tipwindow/tip_layout.h"
#include "help/tipwindow/tip_settings.h"
#include "runtime/sys/events.h"
#include "runtime/text/strings.h"

namespace help {
namespace {

using runtime::text::clip;
using runtime::text::upper;
using runtime::ui::ControlDefinition;
namespace attr = runtime::ui::attr;
namespace layout = tip_layout;

constexpr size_t MaxShownText = 100;
constexpr std::string_view HandCursor = "~hand.cur";
constexpr std::string_view ButtonIcon = "~default.ico";
constexpr std::string_view BulletGlyph = "\xA7"; // a small square in Wingdings
constexpr int32_t Black = 0;
constexpr int32_t LinkBlue = 0xFF0000; // 0x00BBGGRR
constexpr int32_t Underlined = 0x2000;

std::string shownText(std::string_view text) {
    return std::string(clip(text.substr(0, MaxShownText)));
}

class Pen {
public:
    Pen(const ControlList& entries, const SettingsList& settings, const ContentStyle& style,
        ContentSink& sink)
        : entries_(entries), settings_(settings), style_(style), sink_(sink) {}

    int32_t run() {
        for (size_t i = 0; i < entries_.size(); ++i) {
            const ControlEntry& entry = entries_[i];
            if (i > 0 && entry.LINE != entries_[i - 1].LINE) {
                x_ = layout::PenLeft;
                y_ += layout::RowHeight;
            }
            place(entry);
        }
        return y_ + layout::BottomMargin;
    }

private:
    ControlDefinition control(const ControlEntry& entry, int32_t kind, runtime::ui::Rect at) const {
        ControlDefinition made;
        made.number = contentControl(entry.CONTROLNUMBER);
        made.kind = kind;
        made.at = at;
        made.flags = attr::Hidden;
        return made;
    }

    void place(const ControlEntry& entry) {
        const std::string kind = upper(entry.TYPE.clipped());
        if (kind == upper(entry_kind::String)) {
            ControlDefinition label = control(entry, runtime::kind::String, {x_, y_, 0, 0});
            label.text = shownText(entry.TEXT);
            label.font = fontOf(settings_, entry.NAME.view());
            x_ += sink_.create(label);
        } else if (kind == upper(entry_kind::Line)) {
            int32_t width = style_.tipWidth * layout::RulePercent / 100;
            sink_.create(control(entry, runtime::kind::Line, {x_, y_ + layout::RuleDrop, width, 0}));
            x_ = layout::PenLeft;
            y_ += layout::RuleAdvance;
        } else if (kind == entry_kind::Bullet) {
            ControlDefinition bullet = control(entry, runtime::kind::String, {x_, y_, 0, 0});
            bullet.text = std::string(BulletGlyph);
            bullet.font = {"Wingdings", 0, Black, 0};
            bullet.colour = style_.tipColour;
            x_ += sink_.create(bullet) + layout::BulletGap;
        } else if (kind == entry_kind::Button) {
            ControlDefinition button =
                control(entry, runtime::kind::Button,
                        {x_ + layout::ButtonInset, y_, layout::ButtonSize, layout::ButtonSize});
            button.icon = std::string(ButtonIcon);
            button.cursor = std::string(HandCursor);
            button.tooltip = tooltipOf(settings_, entry.NAME.view());
            x_ += sink_.create(button) + layout::ButtonGap;
        } else if (kind == entry_kind::Http || kind == entry_kind::Lnk) {
            x_ += layout::LinkIndent;
            ControlDefinition link = control(entry, runtime::kind::String, {x_, y_, 0, layout::LinkHeight});
            bool aliased = kind == entry_kind::Http && !entry.SHORTNAME.blank();
            link.text = shownText(aliased ? entry.SHORTNAME.view() : std::string_view(entry.TEXT));
            link.font = {"", 0, LinkBlue, Underlined};
            link.colour = style_.tipColour;
            link.cursor = std::string(HandCursor);
            link_ = {x_, y_, sink_.create(link), 0};
            linkName_ = entry.NAME.clipped();
        } else if (kind == entry_kind::Region) {
            ControlDefinition region =
                control(entry, runtime::kind::Region, {link_.x, link_.y, link_.width, layout::RegionHeight});
            region.cursor = std::string(HandCursor);
            region.tooltip = tooltipOf(settings_, linkName_);
            x_ += sink_.create(region);
        }
    }

    const ControlList& entries_;
    const SettingsList& settings_;
    const ContentStyle& style_;
    ContentSink& sink_;
    int32_t x_ = layout::PenLeft;
    int32_t y_ = layout::PenTop;
    runtime::ui::Rect link_{layout::PenLeft, layout::PenTop, 0, 0}; // the last link label
    std::string linkName_;
};

} // namespace

int32_t layOutContent(const ControlList& entries, const SettingsList& settings, const ContentStyle& style,
                      ContentSink& sink) {
    return Pen(entries, settings, style, sink).run();
}

bool isSingleHyperlink(const ControlList& entries) {
    return entries.size() == 2 && upper(entries[0].TYPE.clipped()) == entry_kind::Http;
}

} // namespace help
