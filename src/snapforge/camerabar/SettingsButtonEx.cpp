#include "snapforge/camerabar/SettingsButtonEx.h"

#include "snapforge/camerabar/CameraBarEx.h"
#include "snapforge/camerabar/CameraBarPresentation.h"
#include "snapforge/startup/LibraryClass.h"
#include "snapforge/startup/State.h"

namespace snapforge {

std::shared_ptr<SettingsButtonEx> SettingsButtonEx::create(platform::CGRect frame) {
    auto button = std::make_shared<SettingsButtonEx>();
    button->initWithFrame(frame);
    button->setObjcClass(libraryClass("SettingsButtonEx", "SettingsButton"));
    return button;
}

void SettingsButtonEx::toggleBtn(platform::id sender) {
    SettingsButton::toggleBtn(sender);
    State& s = snapforge::state();
    if (!s.cameraBar) {
        createCameraBar();
    }
    if (s.cameraBar) {
        s.cameraBar->restoreCameraModeBySelectedButton();
    }
    auto* button = dynamic_cast<platform::UIButton*>(sender);
    if (button && button->isSelected()) {
        showCameraBar();
    } else {
        hideCameraBar(sender, 0.3);
    }
}

}  // namespace snapforge
