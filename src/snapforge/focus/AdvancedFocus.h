#pragma once

#include <memory>

namespace host {
class PLCameraView;
}

namespace snapforge {

// Where both reticles start, and return to on a reset.
inline constexpr float kReticleStartX = 115;
inline constexpr float kReticleStartY = 195;
inline constexpr float kReticleSize = 90;

// Switches advanced focus and exposure on or off. On: the reticles the device can serve are
// shown and the host's own focusing and exposing are held back; off: the host takes over again
// with single automatic adjustments. Reset moves both reticles home and unlocks them.
void toggleAdvancedFocus(bool active, const std::shared_ptr<host::PLCameraView>& cameraView,
                         bool reset);

}  // namespace snapforge
