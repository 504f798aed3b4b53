#include "snapforge/camerabar/CameraBarPresentation.h"

#include "snapforge/camerabar/SettingsButton.h"
#include "snapforge/startup/State.h"

namespace snapforge {

void hideCameraBar(platform::id sender, float /*duration*/) {
    State& s = state();
    if (sender == nullptr && s.settingsButton) {
        s.settingsButton->setSelected(false);
    }
}

}  // namespace snapforge
