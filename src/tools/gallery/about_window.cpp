// The About box: modal on the thread that opens it, so the frame's other
// windows wait while it is up.
#include "gallery.h"
#include "runtime/sys/events.h"
#include "runtime/ui/fonts.h"
#include "runtime/ui/screenshot.h"
#include "runtime/ui/window.h"

namespace gallery {

using namespace runtime;
using namespace runtime::ui;

void runAbout() {
    WindowDefinition about{
        .caption = "About Gallery",
        .font = {"Tahoma", 8, -1, 0},
        .at = {-1, -1, 210, 92},
        .flags = wattr::SystemMenu | wattr::Modal,
        .controls = {
            {.number = 1, .kind = kind::Image, .at = {10, 10, 21, 21}, .text = "pictures\\gallery.ico"},
            {.number = 2,
             .kind = kind::String,
             .at = {42, 10, 0, 0},
             .text = "Gallery",
             .font = {"", 10, -1, fontstyle::Bold}},
            {.number = 3,
             .kind = kind::String,
             .at = {42, 25, 160, 0},
             .text = "Every window and control of the runtime, each window on a thread of its own."},
            {.number = 4, .kind = kind::Line, .at = {10, 58, 190, 0}},
            {.number = 5,
             .kind = kind::Button,
             .at = {150, 68, 50, 14},
             .text = "OK",
             .flags = attr::Default | attr::StandardClose},
        }};
    Window window(about);
    bool touring = !tourFolder().empty();
    if (touring) {
        window.setTimer(100);
    }
    while (window.accept()) {
        if (window.event() == event::Timer) {
            tourShot("about");
            window.close();
        }
    }
}

} // namespace gallery
