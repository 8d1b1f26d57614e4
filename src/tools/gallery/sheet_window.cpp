// A sheet with two tabs: the controls of the tab not shown are out of sight
// and report themselves as not visible.
#include <string>

#include "gallery.h"
#include "runtime/sys/events.h"
#include "runtime/text/fields.h"
#include "runtime/ui/threads.h"
#include "runtime/ui/window.h"

namespace gallery {
namespace {

using namespace runtime;
using namespace runtime::ui;

namespace id {
constexpr int32_t Sheet = 1;
constexpr int32_t General = 2;
constexpr int32_t Advanced = 3;
constexpr int32_t Status = 30;
constexpr int32_t Name = 11;
} // namespace id

struct Settings {
    text::Fixed<30> name{"Main office"};
    text::Fixed<40> folder{"C:\\Data"};
    uint8_t startup = 1;
    uint8_t backups = 0;
    text::Long interval{15};
};

WindowDefinition definition(Settings& settings) {
    return {.caption = "Sheet",
            .font = {"Tahoma", 8, -1, 0},
            .icon = "pictures\\dialog.ico",
            .at = {60, 40, 250, 150},
            .flags = wattr::SystemMenu | wattr::MinimiseBox | wattr::MdiChild,
            .controls = {
                {.number = id::Sheet, .kind = kind::Sheet, .at = {6, 6, 238, 116}},
                {.number = id::General, .kind = kind::Tab, .text = "General", .parent = id::Sheet},
                {.number = id::Advanced, .kind = kind::Tab, .text = "Advanced", .parent = id::Sheet},
                {.number = 10,
                 .kind = kind::Prompt,
                 .at = {16, 30, 0, 0},
                 .text = "&Name:",
                 .parent = id::General},
                {.number = id::Name,
                 .kind = kind::Entry,
                 .at = {60, 28, 120, 12},
                 .parent = id::General,
                 .picture = "@s30",
                 .variable = Variable::of(settings.name)},
                {.number = 12,
                 .kind = kind::Prompt,
                 .at = {16, 48, 0, 0},
                 .text = "&Folder:",
                 .parent = id::General},
                {.number = 13,
                 .kind = kind::Entry,
                 .at = {60, 46, 170, 12},
                 .parent = id::General,
                 .picture = "@s40",
                 .variable = Variable::of(settings.folder)},
                {.number = 14,
                 .kind = kind::Check,
                 .at = {16, 68, 0, 0},
                 .text = "&Open at start-up",
                 .parent = id::General,
                 .variable = Variable::of(settings.startup)},
                {.number = 20,
                 .kind = kind::Check,
                 .at = {16, 30, 0, 0},
                 .text = "&Keep backups",
                 .parent = id::Advanced,
                 .variable = Variable::of(settings.backups)},
                {.number = 21,
                 .kind = kind::Prompt,
                 .at = {16, 48, 0, 0},
                 .text = "&Every:",
                 .parent = id::Advanced},
                {.number = 22,
                 .kind = kind::Spin,
                 .at = {60, 46, 36, 12},
                 .parent = id::Advanced,
                 .picture = "@n3",
                 .variable = Variable::of(settings.interval),
                 .low = 5,
                 .high = 120,
                 .step = 5},
                {.number = 23,
                 .kind = kind::Prompt,
                 .at = {100, 48, 0, 0},
                 .text = "minutes",
                 .parent = id::Advanced},
                {.number = id::Status, .kind = kind::String, .at = {6, 130, 180, 0}, .text = ""},
                {.number = 31,
                 .kind = kind::Button,
                 .at = {194, 128, 50, 14},
                 .text = "Close",
                 .flags = attr::StandardClose},
            }};
}

void showTab(Window& window) {
    int32_t tab = window.get(id::Sheet, Prop::Choice).number32();
    bool nameVisible = window.get(id::Name, Prop::Visible).flag();
    window.setText(id::Status, "Tab " + std::to_string(tab) + "; the name field is " +
                                   (nameVisible ? "visible" : "not visible"));
}

} // namespace

void runSheet(int32_t frame) {
    Settings settings;
    Window window(definition(settings));
    showTab(window);
    while (window.accept()) {
        if (window.event() == event::NewSelection && window.eventControl() == id::Sheet) {
            showTab(window);
        } else if (window.event() == note::TourStep) {
            window.set(id::Sheet, Prop::Choice, 2);
            showTab(window);
        }
    }
    post(note::Closed, currentThread(), frame);
}

} // namespace gallery
