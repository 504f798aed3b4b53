#include "sim/QueryAnswers.h"

#include <filesystem>

#include "platform/capture/AVCaptureDevice.h"
#include "platform/capture/AVCaptureOutput.h"
#include "platform/capture/AVCaptureSession.h"
#include "platform/ui/UIControl.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UISwitch.h"
#include "sim/CompactNumber.h"
#include "sim/LibraryViews.h"
#include "sim/PreferencesFile.h"
#include "sim/ViewInspection.h"
#include "snapforge/camerabar/CameraBarEx.h"
#include "snapforge/camerabar/SelectorButton.h"
#include "snapforge/capture/FrameRate.h"
#include "snapforge/focus/ExposureView.h"
#include "snapforge/focus/FocusView.h"
#include "snapforge/prefs/SettingsPanel.h"
#include "snapforge/startup/Startup.h"
#include "snapforge/startup/State.h"
#include "snapforge/timed/SelectorDial.h"
#include "snapforge/timed/TimerLabel.h"

namespace sim {
namespace {

// The answers of what the library does not show at the moment, or does not have yet.
constexpr std::string_view kAbsent = "absent";
constexpr std::string_view kNone = "none";
constexpr std::string_view kUnavailable = "unavailable";

std::string yesNo(bool value) {
    return value ? "YES" : "NO";
}

// A selector is lit when its light shows lit, whatever it has been told; without the light's
// pictures, what it has been told is all there is.
bool lightShows(const snapforge::SelectorButton& selector) {
    for (const auto& subview : selector.subviews()) {
        const auto* light = dynamic_cast<const platform::UIImageView*>(subview.get());
        if (light && light->image() && subview->tag() == snapforge::SelectorButton::kLightTag) {
            return std::filesystem::path(light->image()->path()).filename() == "lightOn.png";
        }
    }
    return selector.isSelected();
}

std::string selectedAnswer(const platform::UIView* view) {
    if (const auto* toggle = dynamic_cast<const platform::UISwitch*>(view)) {
        return yesNo(toggle->isOn());
    }
    if (const auto* selector = dynamic_cast<const snapforge::SelectorButton*>(view)) {
        return yesNo(lightShows(*selector));
    }
    const auto* control = dynamic_cast<const platform::UIControl*>(view);
    return yesNo(control != nullptr && control->isSelected());
}

std::string reticleOrigin(const std::shared_ptr<snapforge::ReticleView>& reticle) {
    return reticle ? compactPoint(inspect::standingOrigin(*reticle)) : std::string(kNone);
}

std::string reticleLocked(const std::shared_ptr<snapforge::ReticleView>& reticle) {
    return yesNo(reticle && reticle->isLocked());
}

// "1/30" for a duration of a whole fraction of a second, else the fraction as it is.
std::string duration(const platform::CMTime& time) {
    if (!platform::CMTIME_IS_VALID(time)) {
        return std::string(kNone);
    }
    if (time.value > 0 && time.timescale % time.value == 0) {
        return "1/" + std::to_string(time.timescale / time.value);
    }
    return std::to_string(time.value) + "/" + std::to_string(time.timescale);
}

std::string frameDurations(const CaptureObjects& capture) {
    const auto connection = snapforge::videoConnection(capture.output);
    if (!connection) {
        return std::string(kNone);
    }
    const auto minimum = connection->videoMinFrameDuration();
    const auto maximum = connection->videoMaxFrameDuration();
    if (!platform::CMTIME_IS_VALID(minimum) && !platform::CMTIME_IS_VALID(maximum)) {
        return std::string(kNone);
    }
    return duration(minimum) + "," + duration(maximum);
}

template <class Read>
std::string deviceAnswer(const CaptureObjects& capture, Read read) {
    return capture.device ? read(*capture.device) : std::string(kNone);
}

std::string windowState(const std::shared_ptr<platform::UIWindow>& window) {
    if (!window) {
        return std::string(kAbsent);
    }
    return inspect::isShowing(*window) ? "shown" : "hidden";
}

// The dial while it is on screen, also through its fade-out: it goes when the fade ends.
snapforge::SelectorDial* dialOnScreen() {
    const auto& bar = snapforge::state().cameraBar;
    auto* dial = bar ? bar->selDial.get() : nullptr;
    return dial && !dial->isHidden() ? dial : nullptr;
}

std::string dialKindName(int kind) {
    switch (kind) {
        case snapforge::SelectorDial::kTimerKind:
            return "TIMER";
        case snapforge::SelectorDial::kTimeLapseKind:
            return "TIME LAPSE";
        case snapforge::SelectorDial::kFrameRateKind:
            return "FRAME RATE";
        default:
            return std::to_string(kind);
    }
}

std::string dialAnswer(QueryKind kind) {
    auto* dial = dialOnScreen();
    if (kind == QueryKind::Dial) {
        return !dial ? std::string(kAbsent) : inspect::isShowing(*dial) ? "shown" : "fading";
    }
    if (dial == nullptr) {
        return std::string(kAbsent);
    }
    switch (kind) {
        case QueryKind::DialValue:
            return std::to_string(dial->time());
        case QueryKind::DialKind:
            return dialKindName(dial->selectorType());
        default: {
            const auto unit = dial->unitLabel();
            return unit ? unit->text() : std::string(kNone);
        }
    }
}

std::string joined(const std::vector<std::string>& texts) {
    std::string all;
    for (const auto& text : texts) {
        all += (all.empty() ? "" : " | ") + text;
    }
    return all.empty() ? std::string(kNone) : all;
}

// The number the countdown flashes now; "blank" between two flashes.
std::string countdownAnswer() {
    const auto& bar = snapforge::state().cameraBar;
    if (!bar || !bar->timerLabel) {
        return std::string(kNone);
    }
    const std::string text = bar->timerLabel->text();
    return text.empty() ? "blank" : text;
}

std::string targetAnswer(const Query& query, const Phone& phone) {
    const auto view = query.target ? phone.targetView(*query.target) : nullptr;
    switch (query.kind) {
        case QueryKind::Selected:
            return view ? selectedAnswer(view.get()) : "NO";
        case QueryKind::Visible:
            return yesNo(view && inspect::isShowing(*view));
        case QueryKind::Frame:
            return view ? compactRect(view->frame()) : std::string(kAbsent);
        case QueryKind::Rotation:
            return view ? compactNumber(rotationOf(*view)) : std::string(kAbsent);
        case QueryKind::Page: {
            const auto* selector = dynamic_cast<const snapforge::SelectorButton*>(view.get());
            if (!selector) {
                return std::string(view ? kNone : kAbsent);
            }
            const float page = static_cast<float>(snapforge::SelectorButton::kPageHeight);
            return compactNumber(selector->scrollView()->contentOffset().y / page);
        }
        default:
            return std::string(kUnavailable);
    }
}

std::string captureAnswer(QueryKind kind, const CaptureObjects& capture) {
    using Device = platform::AVCaptureDevice;
    switch (kind) {
        case QueryKind::DeviceFocusMode:
            return deviceAnswer(capture, [](Device& d) { return std::to_string(d.focusMode()); });
        case QueryKind::DeviceExposureMode:
            return deviceAnswer(capture,
                                [](Device& d) { return std::to_string(d.exposureMode()); });
        case QueryKind::DeviceWbMode:
            return deviceAnswer(capture,
                                [](Device& d) { return std::to_string(d.whiteBalanceMode()); });
        case QueryKind::DeviceFocusPoint:
            return deviceAnswer(capture,
                                [](Device& d) { return compactPoint(d.focusPointOfInterest()); });
        case QueryKind::DeviceExposurePoint:
            return deviceAnswer(
                capture, [](Device& d) { return compactPoint(d.exposurePointOfInterest()); });
        case QueryKind::SessionPreset:
            return capture.session ? capture.session->sessionPreset() : std::string(kNone);
        case QueryKind::FrameDuration:
            return frameDurations(capture);
        default:
            return std::string(kUnavailable);
    }
}

}  // namespace

std::string answerQuery(const Query& query, const Phone& phone) {
    const snapforge::State& s = snapforge::state();
    switch (query.kind) {
        case QueryKind::Photos:
            return std::to_string(phone.photoCount());
        case QueryKind::Hooks:
            return std::to_string(snapforge::installedHookCount());
        case QueryKind::Selected:
        case QueryKind::Visible:
        case QueryKind::Frame:
        case QueryKind::Rotation:
        case QueryKind::Page:
            return targetAnswer(query, phone);
        case QueryKind::Bar:
            return windowState(s.cameraBar);
        case QueryKind::BarMode:
            return s.cameraBar ? std::to_string(s.cameraBar->cameraMode()) : std::string(kAbsent);
        case QueryKind::Panel:
            return s.settingsPanel && inspect::isShowing(*s.settingsPanel) ? "shown"
                                                                           : std::string(kAbsent);
        case QueryKind::Dial:
        case QueryKind::DialValue:
        case QueryKind::DialKind:
        case QueryKind::DialUnit:
            return dialAnswer(query.kind);
        case QueryKind::Message: {
            const auto messages = phone.messages();
            return messages.empty() ? std::string(kNone) : messages.back();
        }
        case QueryKind::Messages:
            return joined(phone.messages());
        case QueryKind::Countdown:
            return countdownAnswer();
        case QueryKind::Picture:
            return framingPicture();
        case QueryKind::Advanced:
            return yesNo(s.UseAdvancedCamera);
        case QueryKind::ReticleFocus:
            return reticleOrigin(s.focusView);
        case QueryKind::ReticleExposure:
            return reticleOrigin(s.exposureView);
        case QueryKind::LockedFocus:
            return reticleLocked(s.focusView);
        case QueryKind::LockedExposure:
            return reticleLocked(s.exposureView);
        case QueryKind::Pref:
            return preferences::answer(query.key);
        case QueryKind::State:
            return s.describe(query.key).value_or("unknown");
        default:
            return captureAnswer(query.kind, phone.captureObjects());
    }
}

}  // namespace sim
