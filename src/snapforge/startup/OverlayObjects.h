#pragma once

#include <memory>

namespace platform {
class UIView;
}

namespace snapforge {

// Puts the reticles, the white-balance lock and the settings button over the camera (the
// reticles are replaced when they exist).
void createObjects();
// Takes every library object down; keepPreferences keeps the loaded preferences.
void destroyObjects(bool keepPreferences);
// Re-applies the overlay, resolution and frame-guide choices for the host's mode.
void restoreSnapforgeModes();

// Where the layout puts the host's shutter button and image well.
inline constexpr float kShutterButtonX = 125;
inline constexpr float kImageWellX = -5;

// Moves the host bar's shutter button (and, before version 6, its image well) aside for the
// settings button. evenWithoutShutter runs the move when the bar has no shutter button.
void shiftButtonBar(platform::UIView& buttonBar, bool evenWithoutShutter);

}  // namespace snapforge
