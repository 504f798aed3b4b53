#include "snapforge/startup/State.h"

#include <array>
#include <cstdio>
#include <utility>
#include <variant>

#include "platform/Process.h"
#include "snapforge/camerabar/ActionButton.h"
#include "snapforge/camerabar/CameraBarEx.h"
#include "snapforge/focus/ExposureView.h"
#include "snapforge/focus/FocusView.h"

namespace snapforge {
namespace {

using Member = std::variant<bool State::*, int State::*, CGPoint State::*>;

#define SF_SCALAR(name)                   \
    std::pair<std::string_view, Member> { \
#name, &State::name               \
    }

constexpr std::array scalars{
    SF_SCALAR(LOGGER_ON),
    SF_SCALAR(IS_IOS6),
    SF_SCALAR(DISABLE_SAVE),
    SF_SCALAR(currentOrientation),
    SF_SCALAR(currentCameraMode),
    SF_SCALAR(_cameraControllerMode),
    SF_SCALAR(didChangeModes),
    SF_SCALAR(overlayIndex),
    SF_SCALAR(guideIndex),
    SF_SCALAR(resolutionIndex),
    SF_SCALAR(_timerTime),
    SF_SCALAR(_timeLapseTime),
    SF_SCALAR(_frameRateTime),
    SF_SCALAR(_timeType),
    SF_SCALAR(UseAdvancedCamera),
    SF_SCALAR(rememberSettings),
    SF_SCALAR(_advPhotoSelected),
    SF_SCALAR(_tmpAdvPhotoSelected),
    SF_SCALAR(_advVideoSelected),
    SF_SCALAR(_tmpAdvVideoSelected),
    SF_SCALAR(_timeLapseSelected),
    SF_SCALAR(_tmpTimeLapseSelected),
    SF_SCALAR(_timerSelected),
    SF_SCALAR(_tmpTimerSelected),
    SF_SCALAR(_frameRateSelected),
    SF_SCALAR(_tmpFrameRateSelected),
    SF_SCALAR(_overlaySelected),
    SF_SCALAR(_tmpOverlaySelected),
    SF_SCALAR(_resolutionSelected),
    SF_SCALAR(_tmpResolutionSelected),
    SF_SCALAR(_guideSelected),
    SF_SCALAR(_tmpGuideSelected),
    SF_SCALAR(canFocus),
    SF_SCALAR(canExpose),
    SF_SCALAR(canWhiteBalance),
    SF_SCALAR(touchInsideFocus),
    SF_SCALAR(touchInsideExposure),
    SF_SCALAR(touchDirectObject),
    SF_SCALAR(movedObject),
    SF_SCALAR(longPressHandled),
    SF_SCALAR(touchBeganOnButtonBar),
    SF_SCALAR(startLocation),
    SF_SCALAR(orientationOffsetPt),
    SF_SCALAR(capturingPhoto),
    SF_SCALAR(killtimer),
    SF_SCALAR(iSeconds),
    SF_SCALAR(addOneToSeconds),
    SF_SCALAR(overlayIsShowing),
    SF_SCALAR(frameGuideIsShowing),
    SF_SCALAR(kCameraButtonBarHeight),
    SF_SCALAR(_didSetPrefs),
    SF_SCALAR(skipSavePrefs),
};

#undef SF_SCALAR

std::string describeNumber(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

}  // namespace

std::optional<std::string> State::describe(std::string_view name) const {
    for (const auto& [scalarName, member] : scalars) {
        if (scalarName != name) {
            continue;
        }
        return std::visit(
            [this](auto pointer) -> std::string {
                const auto& value = this->*pointer;
                using Value = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<Value, bool>) {
                    return value ? "YES" : "NO";
                } else if constexpr (std::is_same_v<Value, int>) {
                    return std::to_string(value);
                } else {
                    return describeNumber(value.x) + "," + describeNumber(value.y);
                }
            },
            member);
    }
    return std::nullopt;
}

std::vector<std::string_view> State::scalarNames() {
    std::vector<std::string_view> names;
    for (const auto& scalar : scalars) {
        names.push_back(scalar.first);
    }
    return names;
}

State& state() {
    return platform::Process::current().attachment<State>();
}

void clearVariables() {
    State& s = state();
    s.cameraView.reset();
    s.touchDirectObject = false;
    if (auto& bar = s.cameraBar) {
        bar->setCameraMode(kNormalMode);
        if (bar->burstModeBtn) {
            bar->burstModeBtn->setSelected(false);
        }
        if (bar->timerModeBtn) {
            bar->timerModeBtn->setSelected(false);
        }
    }
    if (s.exposureView) {
        s.exposureView->setIsLocked(false);
    }
    if (s.focusView) {
        s.focusView->setIsLocked(false);
    }
}

}  // namespace snapforge
