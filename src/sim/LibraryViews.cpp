#include "sim/LibraryViews.h"

#include <filesystem>

#include "host/PLCameraView.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UISwitch.h"
#include "sim/Features.h"
#include "snapforge/camerabar/ActionButton.h"
#include "snapforge/camerabar/CameraBarEx.h"
#include "snapforge/camerabar/MessageLabel.h"
#include "snapforge/camerabar/SelectorButton.h"
#include "snapforge/camerabar/SettingsButtonEx.h"
#include "snapforge/capture/FramingAids.h"
#include "snapforge/focus/ExposureView.h"
#include "snapforge/focus/FocusView.h"
#include "snapforge/focus/ReticleView.h"
#include "snapforge/focus/WhiteBalanceButton.h"
#include "snapforge/prefs/PreferenceButton.h"
#include "snapforge/prefs/SettingsPanel.h"
#include "snapforge/startup/State.h"
#include "snapforge/timed/SelectorDial.h"
#include "snapforge/timed/StopButton.h"
#include "snapforge/timed/TimerLabel.h"

namespace sim {
namespace {

using snapforge::CameraBar;
using snapforge::SelectorDial;
using snapforge::SettingsPanel;

std::shared_ptr<platform::UIView> barControl(const CameraBar* bar, Target target) {
    if (bar == nullptr) {
        return nullptr;
    }
    switch (target) {
        case Target::BarNormal:
            return bar->normalModeBtn;
        case Target::BarTimeLapse:
            return bar->burstModeBtn;
        case Target::BarTimer:
            return bar->timerModeBtn;
        case Target::BarOverlay:
            return bar->overlayBtn;
        case Target::BarAdvancedVideo:
            return bar->exposureFocusBtn;
        case Target::BarFps:
            return bar->fpsBtn;
        case Target::BarResolution:
            return bar->resolutionBtn;
        case Target::BarFrameGuide:
            return bar->frameGuideBtn;
        default:
            return nullptr;
    }
}

// Only the controls a user can see belong to the bar's current layout.
std::shared_ptr<platform::UIView> laidOut(std::shared_ptr<platform::UIView> control,
                                          const CameraBar* bar) {
    return control && control->superview() == bar ? control : nullptr;
}

std::shared_ptr<platform::UIView> dialControl(const SelectorDial* dial, Target target) {
    if (dial == nullptr) {
        return nullptr;
    }
    switch (target) {
        case Target::DialPlus:
            return dial->plusBtn();
        case Target::DialMinus:
            return dial->minusBtn();
        case Target::DialUnit:
            return dial->changeTimeBtn();
        case Target::DialSet:
            return dial->okBtn();
        default:
            return nullptr;
    }
}

std::shared_ptr<platform::UIView> panelControl(SettingsPanel* panel, Target target) {
    if (panel == nullptr) {
        return nullptr;
    }
    switch (target) {
        case Target::PanelAdvancedPhoto:
            return panel->switchWithTag(SettingsPanel::kAdvPhotoSwitchTag);
        case Target::PanelAdvancedVideo:
            return panel->switchWithTag(SettingsPanel::kAdvVideoSwitchTag);
        case Target::PanelRemember:
            return panel->switchWithTag(SettingsPanel::kRememberSwitchTag);
        case Target::PanelClose:
            return panel->closeButton();
        default:
            return nullptr;
    }
}

std::shared_ptr<platform::UIView> latestMessage(
    const std::vector<std::shared_ptr<platform::UIWindow>>& visibleWindows) {
    std::shared_ptr<platform::UIView> latest;
    for (const auto& window : visibleWindows) {
        if (dynamic_cast<const snapforge::MessageLabel*>(window.get()) != nullptr) {
            latest = window;
        }
    }
    return latest;
}

std::shared_ptr<platform::UIView> countdownNumber(const CameraBar* bar) {
    return bar && bar->timerLabel ? bar->timerLabel->timeLabel() : nullptr;
}

// The part of a view that turns for the user.
const platform::UIView& turningPart(const platform::UIView& view) {
    if (const auto* message = dynamic_cast<const snapforge::MessageLabel*>(&view)) {
        if (const auto label = message->msgLabel()) {
            return *label;
        }
    }
    if (const auto* reticle = dynamic_cast<const snapforge::ReticleView*>(&view)) {
        if (const auto& badge = reticle->lockImageView()) {
            return *badge;
        }
    }
    if (dynamic_cast<const snapforge::ActionButton*>(&view) != nullptr) {
        for (const auto& subview : view.subviews()) {
            if (dynamic_cast<const platform::UIImageView*>(subview.get()) != nullptr) {
                return *subview;
            }
        }
    }
    return view;
}

}  // namespace

double rotationOf(const platform::UIView& view) {
    return platform::CGAffineTransformAngleDegrees(turningPart(view).transform());
}

std::shared_ptr<platform::UIView> libraryView(Target target) {
    if (target == Target::Message) {
        return latestMessage(platform::UIScreen::mainScreen().visibleWindows());
    }
    return libraryView(target, {});
}

std::shared_ptr<platform::UIView> libraryView(
    Target target, const std::vector<std::shared_ptr<platform::UIWindow>>& visibleWindows) {
    const snapforge::State& s = snapforge::state();
    const CameraBar* bar = s.cameraBar.get();
    switch (target) {
        case Target::FocusReticle:
            return s.focusView;
        case Target::ExposureReticle:
            return s.exposureView;
        case Target::WbLock:
            return s.wbLockButton;
        case Target::SettingsButton:
            return s.settingsButton;
        case Target::PrefButton:
            return s.prefButton;
        case Target::StopButton:
            return s.stopBtn;
        case Target::Countdown:
            return countdownNumber(bar);
        case Target::Message:
            return latestMessage(visibleWindows);
        case Target::Bar:
            return s.cameraBar;
        case Target::Dial:
            return bar ? bar->selDial : nullptr;
        default:
            break;
    }
    switch (featureOf(target)) {
        case Feature::CameraBar:
            return laidOut(barControl(bar, target), bar);
        case Feature::Dial:
            return dialControl(bar ? bar->selDial.get() : nullptr, target);
        case Feature::SettingsPanel:
            return panelControl(s.settingsPanel.get(), target);
        default:
            return nullptr;
    }
}

std::string framingPicture() {
    const auto cameraView = snapforge::state().cameraView.lock();
    const auto picture = cameraView ? std::dynamic_pointer_cast<platform::UIImageView>(
                                          cameraView->viewWithTag(snapforge::kPictureViewTag))
                                    : nullptr;
    if (!picture) {
        return "none";
    }
    const auto image = picture->image();
    return image ? std::filesystem::path(image->path()).filename().string() : "empty";
}

}  // namespace sim
