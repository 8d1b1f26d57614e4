// The last alerted message, written by window procedures on any thread and
// read by the thread that handles the alert event.
#pragma once

#include <cstdint>

#include "msghook/types.h"

namespace msghook {

void rememberMessage(int32_t message);
void rememberHelpItem(Handle item);

} // namespace msghook
