#include "sim/DefaultTour.h"

namespace sim {

const std::string_view kDefaultTour =
    R"(# The default tour: the camera opens with the library loaded, in advanced mode.
device iPhone4,1 ios 6.1.3 screen 320x480
capability focus-continuous on
capability exposure-continuous on
launch
wait 1
expect hooks 30
expect advanced YES
expect visible focus-reticle YES
expect visible exposure-reticle YES
expect reticle.focus 115,195
expect reticle.exposure 115,195

# A tap on the preview brings both reticles there and points focus and exposure at it.
tap 200 300
wait 1
expect reticle.focus 160,260
expect reticle.exposure 160,260
expect device.focus-point 0.625,0.625
expect device.exposure-point 0.625,0.625

# Dragging the exposure reticle moves only it, and only the exposure point follows.
drag exposure-reticle to 100 150
wait 1
expect reticle.exposure 55,105
expect reticle.focus 160,260
expect device.exposure-point 0.3125,0.3125
expect device.focus-point 0.625,0.625

# A long press on the focus reticle locks it; a plain tap unlocks it.
hold focus-reticle 1
expect locked.focus YES
expect locked.exposure NO
expect device.focus-mode 0
tap focus-reticle
wait 1
expect locked.focus NO
expect device.focus-mode 2

# The white-balance button locks white balance and unlocks it again.
tap wb-lock
expect selected wb-lock YES
expect device.wb-mode 0
tap wb-lock
expect selected wb-lock NO
expect device.wb-mode 2

# A photo, and the camera closes.
shutter
wait 1
expect photos 1
close
)";

}  // namespace sim
