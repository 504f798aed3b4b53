#pragma once

namespace snapforge {

// Takes the stop button of timed shooting off the screen, if it is there.
void removeStopBtn();

}  // namespace snapforge
