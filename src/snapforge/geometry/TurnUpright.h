#pragma once

namespace platform {
class UIView;
}

namespace snapforge {

// Sets the view's transform for the orientation inside the named animation "w" of that many
// seconds, as every added object turns with the device.
void turnUpright(platform::UIView& view, int orientation, double duration);

}  // namespace snapforge
