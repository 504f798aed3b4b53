#include "sim/LibraryViews.h"

#include "snapforge/camerabar/SettingsButton.h"
#include "snapforge/focus/ExposureView.h"
#include "snapforge/focus/FocusView.h"
#include "snapforge/focus/WhiteBalanceButton.h"
#include "snapforge/startup/State.h"

namespace sim {

std::shared_ptr<platform::UIView> libraryView(Target target) {
    const snapforge::State& s = snapforge::state();
    switch (target) {
        case Target::FocusReticle:
            return s.focusView;
        case Target::ExposureReticle:
            return s.exposureView;
        case Target::WbLock:
            return s.wbLockButton;
        case Target::SettingsButton:
            return s.settingsButton;
        default:
            return nullptr;
    }
}

}  // namespace sim
