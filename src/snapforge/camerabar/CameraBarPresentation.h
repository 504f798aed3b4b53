#pragma once

#include "platform/runtime/Object.h"

namespace snapforge {

// Makes the camera bar from the choices in force (and the preference button unless saving is
// off). The bar starts hidden.
void createCameraBar();
// Lays the bar out for the host's current mode and fades it in.
void showCameraBar();
// Fades the bar out over duration seconds. A sender is the settings button that closed it: if
// that button is selected again before the fade ends, the bar stays. Without a sender the
// settings button is deselected at once.
void hideCameraBar(platform::id sender, double duration);

}  // namespace snapforge
