#include "host/SimCameraController.h"

#include <algorithm>

#include "platform/Process.h"
#include "platform/foundation/RunLoop.h"

namespace host {
namespace {

using platform::AVCaptureDevice;
using platform::CGPoint;

const char* yesNo(bool value) {
    return value ? "YES" : "NO";
}

CGPoint clampedToUnit(CGPoint point) {
    return {std::clamp(point.x, 0.0f, 1.0f), std::clamp(point.y, 0.0f, 1.0f)};
}

// Holds a value fixed (mode 0) or, when the host held it, lets it run continuously again.
void applyHold(AVCaptureDevice& device, bool& held, bool wanted,
               bool (AVCaptureDevice::*supported)(int) const,
               void (AVCaptureDevice::*setMode)(int)) {
    if (held == wanted) {
        return;
    }
    const int mode =
        wanted ? platform::AVCaptureModeLocked : platform::AVCaptureModeContinuousAutomatic;
    if ((device.*supported)(mode)) {
        (device.*setMode)(mode);
        held = wanted;
    }
}

bool startsAdjustment(const platform::CaptureChange& change, const char* point, const char* mode) {
    return change.what == point || (change.what == mode && change.value != "0");
}

}  // namespace

std::shared_ptr<SimCameraController> SimCameraController::create(
    std::shared_ptr<HostEventFeed> events) {
    return std::make_shared<SimCameraController>(std::move(events));
}

SimCameraController::SimCameraController(std::shared_ptr<HostEventFeed> events)
    : events_(std::move(events)) {
    setObjcClass(platform::objc_getClass("PLCameraController"));
}

void SimCameraController::registerRuntimeClass() {
    using platform::class_addMemberMethod;
    using Self = SimCameraController;
    platform::Class* cls =
        platform::Runtime::shared().registerClass("PLCameraController", "NSObject");
    class_addMemberMethod<&Self::hostInit>(cls, sel::init);
    class_addMemberMethod<&Self::hostFocusCompleted>(cls, sel::_focusCompleted);
    class_addMemberMethod<&Self::hostFocusStarted>(cls, sel::_focusStarted);
    class_addMemberMethod<&Self::hostIsFocusAllowed>(cls, sel::isFocusAllowed);
    class_addMemberMethod<&Self::hostAutofocusAutoExpose>(cls, sel::_autofocus);
    class_addMemberMethod<&Self::hostAutofocus>(cls, sel::autofocus);
    class_addMemberMethod<&Self::hostExposureStarted>(cls, sel::_exposureStarted);
    class_addMemberMethod<&Self::hostExposureCompleted>(cls, sel::_exposureCompleted);
    class_addMemberMethod<&Self::hostWhiteBalanceStarted>(cls, sel::_whiteBalanceStarted);
    class_addMemberMethod<&Self::hostSetCameraMode>(cls, sel::_setCameraMode);
    class_addMemberMethod<&Self::hostStopPreview>(cls, sel::stopPreview);
    class_addMemberMethod<&Self::hostStartPreview>(cls, sel::startPreview);
    class_addMemberMethod<&Self::hostLockFocus>(cls, sel::_lockFocus);
}

void SimCameraController::setCapabilities(const platform::CaptureCapabilities& capabilities) {
    if (device_) {
        device_->setCapabilities(capabilities);
    }
    if (output_) {
        output_->setCapabilities(capabilities);
    }
}

const SimCameraController::Photo& SimCameraController::capturePhoto(int orientation) {
    const int number = photoCount() + 1;
    photos_.push({number, platform::RunLoop::main().now(), orientation});
    publish(HostEventKind::PhotoTaken, "photo " + std::to_string(number) + " taken");
    return photos_.back();
}

void SimCameraController::toggleRecording() {
    recording_ = !recording_;
    publish(recording_ ? HostEventKind::RecordingStarted : HostEventKind::RecordingStopped,
            recording_ ? "recording started" : "recording stopped");
}

void SimCameraController::focusAt(CGPoint pointOfInterest) {
    const CGPoint point = clampedToUnit(pointOfInterest);
    publish(HostEventKind::TapToFocus, "tap to focus at " + platform::describePoint(point));
    if (focusHeld_ || exposureHeld_) {
        _lockFocus(false, false, whiteBalanceHeld_);
    }
    if (device_ && device_->lockForConfiguration()) {
        if (device_->isFocusPointOfInterestSupported()) {
            device_->setFocusPointOfInterest(point);
        }
        if (device_->isExposurePointOfInterestSupported()) {
            device_->setExposurePointOfInterest(point);
            if (device_->isExposureModeSupported(platform::AVCaptureModeContinuousAutomatic)) {
                device_->setExposureMode(platform::AVCaptureModeContinuousAutomatic);
            }
        }
        device_->unlockForConfiguration();
    }
    autofocus();
}

void SimCameraController::holdFocusAndExposure() {
    _lockFocus(true, true, whiteBalanceHeld_);
}

platform::id SimCameraController::hostInit() {
    calls_.note(sel::init.sel);
    if (!device_) {
        const auto& capabilities = platform::Process::current().profile().capture;
        device_ = platform::AVCaptureDevice::create(capabilities);
        session_ = platform::AVCaptureSession::create(device_);
        output_ = platform::AVCaptureOutput::create(capabilities);
        if (session_->canSetSessionPreset(platform::AVCaptureSessionPresetPhoto)) {
            session_->setSessionPreset(platform::AVCaptureSessionPresetPhoto);
        }
        observeDevice();
    }
    return this;
}

void SimCameraController::hostFocusStarted() {
    calls_.note(sel::_focusStarted.sel);
    hostFocusing_ = true;
}

void SimCameraController::hostFocusCompleted() {
    calls_.note(sel::_focusCompleted.sel);
    hostFocusing_ = false;
}

bool SimCameraController::hostIsFocusAllowed() {
    calls_.note(sel::isFocusAllowed.sel);
    return previewRunning_ && device_ &&
           (device_->isFocusPointOfInterestSupported() ||
            device_->isExposurePointOfInterestSupported());
}

void SimCameraController::hostAutofocusAutoExpose(bool focus, bool expose) {
    calls_.note(sel::_autofocus.sel);
    lastAutofocus_ = AutofocusRequest{focus, expose};
}

void SimCameraController::hostAutofocus() {
    calls_.note(sel::autofocus.sel);
    ++autofocusCount_;
    if (lastAutofocus_ && !lastAutofocus_->focus) {
        return;
    }
    if (!device_ || !device_->isFocusModeSupported(platform::AVCaptureModeAutomatic) ||
        !device_->lockForConfiguration()) {
        return;
    }
    device_->setFocusMode(platform::AVCaptureModeAutomatic);
    device_->unlockForConfiguration();
    focusHeld_ = false;
}

void SimCameraController::hostExposureStarted() {
    calls_.note(sel::_exposureStarted.sel);
    hostExposing_ = true;
}

void SimCameraController::hostExposureCompleted() {
    calls_.note(sel::_exposureCompleted.sel);
    hostExposing_ = false;
}

void SimCameraController::hostWhiteBalanceStarted() {
    calls_.note(sel::_whiteBalanceStarted.sel);
}

void SimCameraController::hostSetCameraMode(int mode, int device) {
    calls_.note(sel::_setCameraMode.sel);
    if (recording_ && mode != kVideoMode) {
        toggleRecording();
    }
    mode_ = mode;
    cameraDevice_ = device;
    const char* preset = mode == kVideoMode ? platform::AVCaptureSessionPresetHigh
                                            : platform::AVCaptureSessionPresetPhoto;
    if (session_ && session_->canSetSessionPreset(preset)) {
        session_->setSessionPreset(preset);
    }
    publish(HostEventKind::ModeSwitched,
            mode == kVideoMode ? "mode switched to video" : "mode switched to photo");
}

void SimCameraController::hostStopPreview() {
    calls_.note(sel::stopPreview.sel);
    if (recording_) {
        toggleRecording();
    }
    previewRunning_ = false;
    publish(HostEventKind::PreviewStopped, "preview stopped");
}

void SimCameraController::hostStartPreview() {
    calls_.note(sel::startPreview.sel);
    previewRunning_ = true;
    publish(HostEventKind::PreviewStarted, "preview started");
}

void SimCameraController::hostLockFocus(bool focus, bool exposure, bool whiteBalance) {
    calls_.note(sel::_lockFocus.sel);
    lastLock_ = LockRequest{focus, exposure, whiteBalance};
    const bool changes =
        focus != focusHeld_ || exposure != exposureHeld_ || whiteBalance != whiteBalanceHeld_;
    if (!device_ || !changes || !device_->lockForConfiguration()) {
        return;
    }
    applyHold(*device_, focusHeld_, focus, &AVCaptureDevice::isFocusModeSupported,
              &AVCaptureDevice::setFocusMode);
    applyHold(*device_, exposureHeld_, exposure, &AVCaptureDevice::isExposureModeSupported,
              &AVCaptureDevice::setExposureMode);
    applyHold(*device_, whiteBalanceHeld_, whiteBalance,
              &AVCaptureDevice::isWhiteBalanceModeSupported, &AVCaptureDevice::setWhiteBalanceMode);
    device_->unlockForConfiguration();
    publish(HostEventKind::FocusLocked, std::string("host holds focus ") + yesNo(focusHeld_) +
                                            ", exposure " + yesNo(exposureHeld_) +
                                            ", white balance " + yesNo(whiteBalanceHeld_));
}

void SimCameraController::observeDevice() {
    auto weak = weakSelf();
    device_->changeLog().setObserver([weak](const platform::CaptureChange& change) {
        if (auto self = weak.lock()) {
            self->deviceChanged(change);
        }
    });
}

// The device reports every setting that took effect; a new focus or exposure request makes it
// adjust, which the controller brackets with its started and completed messages.
void SimCameraController::deviceChanged(const platform::CaptureChange& change) {
    if (change.what == "lockForConfiguration" || change.what == "unlockForConfiguration") {
        return;
    }
    publish(HostEventKind::DeviceChanged, "device " + change.what + " " + change.value);
    if (!previewRunning_) {
        return;
    }
    if (startsAdjustment(change, "focusPointOfInterest", "focusMode")) {
        beginAdjustment(focusAdjustment());
    } else if (startsAdjustment(change, "exposurePointOfInterest", "exposureMode")) {
        beginAdjustment(exposureAdjustment());
    } else if (change.what == "whiteBalanceMode" &&
               change.value == std::to_string(platform::AVCaptureModeContinuousAutomatic)) {
        auto weak = weakSelf();
        platform::RunLoop::main().schedule(0, [weak] {
            if (auto self = weak.lock()) {
                self->publish(HostEventKind::WhiteBalanceStarted, "white balance adjusting");
                self->_whiteBalanceStarted();
            }
        });
    }
}

const SimCameraController::AdjustmentKind& SimCameraController::focusAdjustment() {
    static const AdjustmentKind kind{&SimCameraController::focusAdjustment_,
                                     kFocusAdjustSeconds,
                                     sel::_focusStarted,
                                     sel::_focusCompleted,
                                     HostEventKind::FocusStarted,
                                     HostEventKind::FocusCompleted,
                                     "focus"};
    return kind;
}

const SimCameraController::AdjustmentKind& SimCameraController::exposureAdjustment() {
    static const AdjustmentKind kind{&SimCameraController::exposureAdjustment_,
                                     kExposureAdjustSeconds,
                                     sel::_exposureStarted,
                                     sel::_exposureCompleted,
                                     HostEventKind::ExposureStarted,
                                     HostEventKind::ExposureCompleted,
                                     "exposure"};
    return kind;
}

// One started message per adjustment; a further request while it runs pushes its end back.
void SimCameraController::beginAdjustment(const AdjustmentKind& kind) {
    Adjustment& adjustment = this->*kind.state;
    const std::uint64_t generation = ++adjustment.generation;
    auto weak = weakSelf();
    const AdjustmentKind* what = &kind;
    if (!adjustment.running) {
        adjustment.running = true;
        platform::RunLoop::main().schedule(0, [weak, what] {
            if (auto self = weak.lock()) {
                self->publish(what->startedEvent, std::string(what->name) + " started");
                platform::send(self.get(), what->started);
            }
        });
    }
    platform::RunLoop::main().schedule(kind.seconds, [weak, what, generation] {
        auto self = weak.lock();
        if (!self || (self.get()->*what->state).generation != generation) {
            return;
        }
        (self.get()->*what->state).running = false;
        self->publish(what->completedEvent, std::string(what->name) + " completed");
        platform::send(self.get(), what->completed);
    });
}

void SimCameraController::publish(HostEventKind kind, std::string text) {
    if (events_) {
        events_->publish(kind, std::move(text));
    }
}

std::weak_ptr<SimCameraController> SimCameraController::weakSelf() {
    return platform::weakRef<SimCameraController>(this);
}

}  // namespace host
