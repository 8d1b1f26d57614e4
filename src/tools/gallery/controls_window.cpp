// The order form as a child window of the frame, on a thread of its own.
#include "gallery.h"
#include "order_form.h"
#include "runtime/ui/threads.h"

namespace gallery {

using namespace runtime::ui;

void runControls(int32_t frame) {
    Order order;
    WindowDefinition definition = orderForm(order);
    definition.at.x = 8;
    definition.at.y = 6;
    definition.flags |= wattr::MdiChild;
    Window window(definition);
    while (window.accept()) {
        answerOrderForm(window);
    }
    post(note::Closed, currentThread(), frame);
}

} // namespace gallery
