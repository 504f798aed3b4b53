#pragma once

#include <string_view>

namespace snapforge {

// Posted on the system-wide centre each time a shutter press starts a timed shot.
inline constexpr std::string_view kStartTimedPhotoNotification =
    "Snapforge_START_TIMED_PHOTO_Notification";

// Takes the stop button of timed shooting off the screen, if it is there.
void removeStopBtn();

}  // namespace snapforge
