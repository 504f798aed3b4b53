// Timed shooting: the countdown that holds back a shutter press and takes the photo at zero.
#include "snapforge/camerabar/CameraBarEx.h"

namespace snapforge {

void CameraBarEx::startTimerMode() {}

void CameraBarEx::createTimer() {}

void CameraBarEx::countTheSeconds(platform::id) {}

void CameraBarEx::stopBtnTouch(platform::id) {}

}  // namespace snapforge
