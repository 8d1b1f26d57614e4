// The gallery: every window, control and frame part of the runtime in one
// program, to look at and to photograph (--tour FOLDER).
#include "gallery.h"
#include "runtime/ui/win32_interaction.h"

int main() {
    runtime::ui::installWin32Interaction();
    gallery::runFrame();
    return 0;
}
