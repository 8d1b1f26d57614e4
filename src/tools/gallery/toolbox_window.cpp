// The list's "Browse Actions" toolbox: a small floating window on a thread of
// its own whose buttons ask the list's thread to move or open a row.
#include "gallery.h"
#include "runtime/sys/events.h"
#include "runtime/ui/threads.h"
#include "runtime/ui/window.h"

namespace gallery {
namespace {

using namespace runtime;
using namespace runtime::ui;

struct Action {
    const char* text;
    const char* tip;
    int32_t event;
};

constexpr Action Actions[] = {
    {"&Top", "The first customer", event::ScrollTop},
    {"Page &Up", "The page before this one", event::PageUp},
    {"Page &Down", "The page after this one", event::PageDown},
    {"&Bottom", "The last customer", event::ScrollBottom},
    {"&Change...", "Change the selected customer", note::OpenForm},
};

} // namespace

void runToolbox(int32_t list) {
    WindowDefinition toolbox{.caption = "Browse Actions",
                             .font = {"Tahoma", 8, -1, 0},
                             .at = {600, 120, 58, 6 + 16 * static_cast<int32_t>(std::size(Actions))},
                             .flags = wattr::SystemMenu | wattr::ToolWindow};
    int32_t y = 4;
    int32_t number = 1;
    for (const Action& action : Actions) {
        toolbox.controls.push_back({.number = number++,
                                    .kind = kind::Button,
                                    .at = {4, y, 50, 14},
                                    .text = action.text,
                                    .tooltip = action.tip});
        y += 16;
    }
    Window window(toolbox);
    while (window.accept()) {
        int32_t control = window.eventControl();
        if (window.event() == event::Accepted && control >= 1 &&
            control <= static_cast<int32_t>(std::size(Actions))) {
            const Action& action = Actions[control - 1];
            post(action.event, action.event == note::OpenForm ? 0 : CustomerList, list);
        }
    }
}

} // namespace gallery
