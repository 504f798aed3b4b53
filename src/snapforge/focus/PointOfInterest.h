#pragma once

#include "platform/Geometry.h"
#include "platform/runtime/Runtime.h"

namespace snapforge {

// Sets the device's exposure (or focus) point of interest for a point of the camera view and
// lets it adjust there continuously. False, and nothing set, when the device cannot take such a
// point.
bool aimExposure(platform::id cameraView, platform::CGPoint viewPoint);
bool aimFocus(platform::id cameraView, platform::CGPoint viewPoint);

}  // namespace snapforge
