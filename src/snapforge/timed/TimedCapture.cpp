#include "snapforge/timed/TimedCapture.h"

#include "snapforge/startup/State.h"
#include "snapforge/timed/StopButton.h"

namespace snapforge {

void removeStopBtn() {
    State& s = state();
    if (s.stopBtn) {
        s.stopBtn->setHidden(true);
        s.stopBtn->removeFromSuperview();
        s.stopBtn.reset();
    }
}

}  // namespace snapforge
