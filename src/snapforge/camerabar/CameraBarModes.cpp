// Mode switching on the bar: which buttons are selected, the mode number, the dial and the
// fading message that names the mode.
#include "platform/ui/UIScreen.h"
#include "snapforge/camerabar/ActionButton.h"
#include "snapforge/camerabar/CameraBar.h"
#include "snapforge/camerabar/CameraBarActions.h"
#include "snapforge/camerabar/MessageLabel.h"
#include "snapforge/startup/Log.h"

namespace snapforge {
namespace {

constexpr double kMessageFadeIn = 0.95;
constexpr double kMessageFadeOut = 0.5;

void flip(const std::shared_ptr<ActionButton>& button) {
    if (button) {
        button->setSelected(!button->isSelected());
    }
}

void deselect(const std::shared_ptr<ActionButton>& button) {
    if (button) {
        button->setSelected(false);
    }
}

void takeDown(MessageLabel& label) {
    label.setText("");
    label.setHidden(true);
    label.removeFromSuperview();
}

const char* advancedMessage(bool selected) {
    return selected ? "Advanced Mode" : "Normal Mode";
}

const char* frameRateMessage(bool selected) {
    return selected ? "Custom Frame Rate" : "Normal Frame Rate";
}

}  // namespace

void CameraBar::toggleMode(platform::id sender) {
    auto* button = dynamic_cast<platform::UIButton*>(sender);
    prevCameraMode = cameraMode_;
    cameraMode_ = button ? button->tag() : kNoMode;
    log("CameraBar toggleMode, cameraMode: %d", cameraMode_);
    const bool photo = cameraControllerMode_ == 0;
    const bool video = cameraControllerMode_ == 1;
    switch (cameraMode_) {
        case kNormalMode:
            if (photo) {
                flipUnlessReplaying(normalModeBtn);
            }
            break;
        case kTimeLapseMode:
            if (photo) {
                chooseTimedShooting(burstModeBtn, timerModeBtn);
            }
            break;
        case kTimerMode:
            if (photo) {
                chooseTimedShooting(timerModeBtn, burstModeBtn);
            }
            break;
        case kAdvancedVideoMode:
            if (video) {
                flipUnlessReplaying(exposureFocusBtn);
                if (!isReplayingOnHiddenBar()) {
                    showCameraModeEx(exposureFocusBtn.get());
                }
            }
            break;
        case kFrameRateMode:
            if (video) {
                flipUnlessReplaying(fpsBtn);
                showCameraModeEx(fpsBtn.get());
            }
            break;
        default:
            break;
    }
    if (!skipSelection && button) {
        switch (button->tag()) {
            case kNormalMode:
                advPhotoSelected = button->isSelected();
                break;
            case kTimeLapseMode:
                timerSelected = false;
                break;
            case kTimerMode:
                timeLapseSelected = false;
                // Without this a self-timer whose dial has closed would count no delay.
                timerSelected = button->isSelected();
                break;
            case kAdvancedVideoMode:
                advVideoSelected = button->isSelected();
                break;
            default:
                break;
        }
    }
    checkSelectionDialSetup(cameraMode_);
    showCameraMode();
}

void CameraBar::flipUnlessReplaying(const std::shared_ptr<ActionButton>& button) {
    if (!skipSelection) {
        flip(button);
    }
}

// The self-timer and the time lapse exclude each other; deselecting one falls back to mode 1.
void CameraBar::chooseTimedShooting(const std::shared_ptr<ActionButton>& chosen,
                                    const std::shared_ptr<ActionButton>& other) {
    deselect(other);
    flipUnlessReplaying(chosen);
    if (!isSelected(chosen)) {
        cameraMode_ = kNormalMode;
    }
}

void CameraBar::showCameraMode() {
    const bool photo = cameraControllerMode_ == 0;
    const bool video = cameraControllerMode_ == 1;
    std::string text;
    switch (cameraMode_) {
        case kNormalMode:
            if (photo && !isHidden()) {
                text = advancedMessage(isSelected(normalModeBtn));
            }
            break;
        case kTimeLapseMode:
            if (photo) {
                text = "Time Lapse Mode";
            }
            break;
        case kTimerMode:
            if (photo) {
                text = "Timer Mode";
            }
            break;
        case kAdvancedVideoMode:
            if (video && !isHidden()) {
                text = advancedMessage(isSelected(exposureFocusBtn));
            }
            break;
        case kFrameRateMode:
            if (video) {
                text = frameRateMessage(isSelected(fpsBtn));
            }
            break;
        default:
            break;
    }
    if (!text.empty()) {
        fadeinText(text);
    }
}

void CameraBar::showCameraModeEx(platform::id button) {
    auto* control = dynamic_cast<platform::UIButton*>(button);
    if (control == nullptr) {
        return;
    }
    if (control->tag() == kFrameRateMode) {
        fadeinText(frameRateMessage(isSelected(fpsBtn)));
    } else if (control->tag() == kAdvancedVideoMode) {
        fadeinText(advancedMessage(isSelected(exposureFocusBtn)));
    }
}

void CameraBar::fadeinText(const std::string& text) {
    fadeinText(text, kMessageFadeIn);
}

void CameraBar::fadeinText(const std::string& text, double duration) {
    // The label holds itself through its two fades and is released at the end.
    std::shared_ptr<MessageLabel> label = MessageLabel::create(currentOrientation);
    label->setAlpha(0);
    label->setHidden(false);
    label->setText(text);
    if (currentOrientation != 1) {
        label->rotate(currentOrientation);
    }
    std::erase_if(messages_, [](const auto& message) { return message.expired(); });
    messages_.push_back(label);
    platform::UIView::animate(
        duration, 0, platform::UIViewAnimationOptionCurveLinear, [label] { label->setAlpha(1); },
        [label](bool) {
            platform::UIView::animate(
                kMessageFadeOut, 0, platform::UIViewAnimationOptionCurveLinear,
                [label] { label->setAlpha(0); }, [label](bool) { takeDown(*label); });
        });
}

void CameraBar::endMessages() {
    for (const auto& message : messages_) {
        if (const auto label = message.lock()) {
            takeDown(*label);
        }
    }
    messages_.clear();
}

void CameraBar::restoreCameraModeByMode() {
    skipSelection = true;
    const std::pair<bool, std::shared_ptr<ActionButton>> remembered[] = {
        {advPhotoSelected, normalModeBtn}, {timeLapseSelected, burstModeBtn},
        {timerSelected, timerModeBtn},     {advVideoSelected, exposureFocusBtn},
        {frameRateSelected, fpsBtn},
    };
    for (const auto& [selected, button] : remembered) {
        if (selected) {
            platform::send(this, toggleModeSelector, static_cast<platform::id>(button.get()));
        }
    }
    skipSelection = false;
}

void CameraBar::restoreCameraModeBySelectedButton() {
    log("restoreCameraModeBySelectedButton cameraControllerMode:%d", cameraControllerMode_);
    if (cameraControllerMode_ != 0) {
        if (isSelected(exposureFocusBtn)) {
            cameraMode_ = kAdvancedVideoMode;
        }
        if (isSelected(fpsBtn)) {
            cameraMode_ = kFrameRateMode;
        }
        return;
    }
    if (isSelected(normalModeBtn)) {
        cameraMode_ = kNormalMode;
    }
    if (isSelected(burstModeBtn)) {
        cameraMode_ = kTimeLapseMode;
    }
    if (isSelected(timerModeBtn)) {
        cameraMode_ = kTimerMode;
    }
}

}  // namespace snapforge
