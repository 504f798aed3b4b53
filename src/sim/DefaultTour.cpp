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

# A photo.
shutter
wait 1
expect photos 1

# The settings button opens the camera bar in advanced photo mode.
tap settings-button
wait 1
expect bar shown
expect bar.mode 1
expect selected bar.normal YES
expect visible pref-button YES

# Advanced photo off and on again, each named by a fading message.
tap bar.normal
wait 1
expect message "Normal Mode"
expect advanced NO
tap bar.normal
wait 1
expect message "Advanced Mode"
expect advanced YES

# The self-timer opens the dial for its delay; plus steps it.
tap bar.timer
wait 1
expect message "Timer Mode"
expect bar.mode 3
expect dial shown
expect dial.kind TIMER
expect dial.value 5
tap dial.plus
tap dial.plus
expect dial.value 7
tap bar.timer
wait 1
expect dial absent
expect bar.mode 1

# The preference button opens the settings panel; Close keeps remember-settings on.
tap pref-button
wait 1
expect panel shown
expect bar hidden
expect selected panel.advanced-photo YES
tap panel.remember
tap panel.close
wait 1
expect panel absent
expect pref.rememberSettings YES
expect pref.timerTime 7

# A 3-second self-timer: the press is held back, the seconds flash beside a stop button, and
# the library presses the shutter itself.
tap settings-button
wait 1
tap bar.timer
wait 1
expect dial.value 7
tap dial.minus
tap dial.minus
tap dial.minus
tap dial.minus
expect dial.value 3
shutter
wait 1.2
expect countdown 3
expect visible stop-button YES
expect photos 1
wait 3
expect photos 2
expect visible stop-button NO
expect countdown none
expect bar.mode 3

# A 3-second time lapse: a photo every 4 seconds; turned to landscape and back on the way, the
# stop button and the countdown turn with it; the stop button ends it after three photos.
wait 1
tap settings-button
wait 1
tap bar.time-lapse
wait 1
expect dial.kind "TIME LAPSE"
tap dial.minus
tap dial.minus
expect dial.value 3
shutter
wait 9
expect photos 4
rotate 3
wait 0.5
expect rotation stop-button 90
expect rotation countdown 90
expect frame wb-lock 10,260,74,31
rotate 1
wait 0.5
expect rotation stop-button 0
expect frame wb-lock 10,353,74,31
wait 3
expect photos 5
expect visible stop-button YES
tap stop-button
wait 5
expect photos 5
expect visible stop-button NO
expect countdown none

# The overlay selector: a tap lights the grid of its page over the preview; scrolling the lit
# selector cross-fades through the four grids, wrapping around near the top of the strip. (The
# timeline names each picture; the expectations follow the index, so that they hold with the
# pictures and without them.)
tap settings-button
wait 1
expect bar shown
tap bar.overlay
wait 1
expect selected bar.overlay YES
expect state.overlayIsShowing YES
expect state.overlayIndex 3
scroll bar.overlay -1
expect state.overlayIndex 2
scroll bar.overlay -1
expect state.overlayIndex 5
scroll bar.overlay -1
expect state.overlayIndex 4
tap bar.overlay
wait 1
expect selected bar.overlay NO
expect picture none

# In video: the resolution selector applies 640x480, a frame guide shows 2.35:1, and the
# frame-rate dial sets 60 fps.
mode video
wait 2
tap settings-button
wait 1
expect bar shown
scroll bar.resolution 2
tap bar.resolution
wait 1
expect selected bar.resolution YES
expect message "640x480 Resolution"
expect session.preset AVCaptureSessionPreset640x480
scroll bar.frame-guide 1
tap bar.frame-guide
wait 1
expect selected bar.frame-guide YES
expect state.frameGuideIsShowing YES
expect state.guideIndex 4
tap bar.fps
wait 1
expect dial.kind "FRAME RATE"
expect dial.value 30
hold dial.plus 6.1
expect dial.value 60
tap dial.set
wait 1
expect message "Frame rate: 60 fps"
expect frame-duration 1/60,1/60
expect dial absent

# The camera closes.
close
)";

}  // namespace sim
