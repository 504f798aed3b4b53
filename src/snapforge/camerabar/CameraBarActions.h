#pragma once

#include "platform/runtime/Runtime.h"

namespace snapforge {

// The messages the bar's controls, recognisers, timers and notifications send to it.
inline const platform::Selector<void(platform::id)> toggleModeSelector{"toggleMode:"};
inline const platform::Selector<void(platform::id)> overlayTapSelector{"overlayTap:"};
inline const platform::Selector<void(platform::id)> resolutionTapSelector{"resolutionTap:"};
inline const platform::Selector<void(platform::id)> frameGuideTapSelector{"frameGuideTap:"};
inline const platform::Selector<void(platform::id)> setFrameRateBtnPressSelector{
    "setFrameRateBtnPress:"};
inline const platform::Selector<void(platform::id)> appDidEnterBackgroundSelector{
    "appDidEnterBackground"};
inline const platform::Selector<void(platform::id)> countTheSecondsSelector{"countTheSeconds:"};
inline const platform::Selector<void(platform::id)> stopBtnTouchSelector{"stopBtnTouch:"};

// The runtime classes of the bar, registered with their methods on first use.
platform::Class* cameraBarClass();
platform::Class* cameraBarExClass();

}  // namespace snapforge
