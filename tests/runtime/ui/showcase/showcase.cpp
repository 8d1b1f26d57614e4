// The gallery's order form, a window with every kind of control the runtime
// offers, on its own for looking at: run it on the virtual display and take a
// picture of the screen. With a number of seconds as its argument it closes
// itself after that time.
#include <cstdlib>

#include "order_form.h"
#include "runtime/sys/events.h"
#include "runtime/ui/win32_interaction.h"

int main(int argc, char** argv) {
    using namespace runtime::ui;
    installWin32Interaction();
    gallery::Order order;
    int seconds = argc > 1 ? std::atoi(argv[1]) : 0;
    Window window(gallery::orderForm(order));
    if (seconds > 0) {
        window.setTimer(seconds * 100);
    }
    while (window.accept()) {
        if (window.event() == runtime::event::Timer) {
            window.close();
        } else {
            gallery::answerOrderForm(window);
        }
    }
    return 0;
}
