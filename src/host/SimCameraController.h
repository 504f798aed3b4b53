#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/HostCalls.h"
#include "host/HostEventFeed.h"
#include "host/PLCameraController.h"
#include "platform/BoundedHistory.h"

namespace host {

// The camera app's controller: owns the capture device, session and output, keeps the camera
// mode, takes photos and runs the host's own focusing. Every message the library may hook is
// sent through the runtime, also from inside the controller.
class SimCameraController : public PLCameraController {
public:
    static constexpr int kPhotoMode = 0;
    static constexpr int kVideoMode = 1;
    static constexpr int kBackCamera = 0;
    // How long the device takes to settle after a new focus or exposure request.
    static constexpr double kFocusAdjustSeconds = 0.4;
    static constexpr double kExposureAdjustSeconds = 0.3;

    struct LockRequest {
        bool focus = false;
        bool exposure = false;
        bool whiteBalance = false;
        bool operator==(const LockRequest&) const = default;
    };
    struct AutofocusRequest {
        bool focus = false;
        bool expose = false;
        bool operator==(const AutofocusRequest&) const = default;
    };
    struct Photo {
        int number = 0;
        double time = 0;
        int orientation = 1;
    };

    // Allocates a controller; it has no capture objects until `init` is sent to it.
    static std::shared_ptr<SimCameraController> create(std::shared_ptr<HostEventFeed> events);
    explicit SimCameraController(std::shared_ptr<HostEventFeed> events);

    // Registers the runtime class "PLCameraController" with the host's own methods.
    static void registerRuntimeClass();

    int cameraMode() const override { return mode_; }
    std::shared_ptr<platform::AVCaptureDevice> currentDevice() const override { return device_; }
    std::shared_ptr<platform::AVCaptureSession> currentSession() const override { return session_; }
    std::shared_ptr<platform::AVCaptureOutput> currentOutput() const override { return output_; }
    int cameraDevice() const { return cameraDevice_; }
    bool isPreviewRunning() const { return previewRunning_; }

    // The camera hardware changed under the running app; settings already made are kept.
    void setCapabilities(const platform::CaptureCapabilities& capabilities);

    // Saves a photo now and announces it.
    const Photo& capturePhoto(int orientation);
    // The latest photos (at least kKeptPhotos of them), oldest first: a day-long time lapse
    // takes thousands.
    static constexpr std::size_t kKeptPhotos = 1000;
    const std::vector<Photo>& photos() const { return photos_.items(); }
    int photoCount() const { return static_cast<int>(photos_.total()); }

    // In video mode the shutter starts and stops a recording.
    void toggleRecording();
    bool isRecording() const { return recording_; }

    // The host's tap-to-focus, once the view has found focusing allowed: releases its own
    // exposure-and-focus lock, focuses and meters at the point of interest (clamped to 0..1),
    // then autofocuses.
    void focusAt(platform::CGPoint pointOfInterest);
    // The host's own exposure-and-focus lock from a long press.
    void holdFocusAndExposure();

    // What the host has been asked and has done, for tests and the simulator.
    std::optional<LockRequest> lastLockRequest() const { return lastLock_; }
    std::optional<AutofocusRequest> lastAutofocusRequest() const { return lastAutofocus_; }
    int autofocusCount() const { return autofocusCount_; }
    bool isHostFocusing() const { return hostFocusing_; }
    bool isHostExposing() const { return hostExposing_; }
    int hostCallCount(std::string_view selector) const { return calls_.count(selector); }

private:
    struct Adjustment {
        bool running = false;
        std::uint64_t generation = 0;
    };
    // What the controller says around one kind of adjustment.
    struct AdjustmentKind {
        Adjustment SimCameraController::*state;
        double seconds;
        platform::Selector<void()> started;
        platform::Selector<void()> completed;
        HostEventKind startedEvent;
        HostEventKind completedEvent;
        const char* name;
    };
    static const AdjustmentKind& focusAdjustment();
    static const AdjustmentKind& exposureAdjustment();

    platform::id hostInit();
    void hostFocusStarted();
    void hostFocusCompleted();
    bool hostIsFocusAllowed();
    void hostAutofocusAutoExpose(bool focus, bool expose);
    void hostAutofocus();
    void hostExposureStarted();
    void hostExposureCompleted();
    void hostWhiteBalanceStarted();
    void hostSetCameraMode(int mode, int device);
    void hostStopPreview();
    void hostStartPreview();
    void hostLockFocus(bool focus, bool exposure, bool whiteBalance);

    void observeDevice();
    void deviceChanged(const platform::CaptureChange& change);
    void beginAdjustment(const AdjustmentKind& kind);
    void publish(HostEventKind kind, std::string text);
    std::weak_ptr<SimCameraController> weakSelf();

    std::shared_ptr<HostEventFeed> events_;
    std::shared_ptr<platform::AVCaptureDevice> device_;
    std::shared_ptr<platform::AVCaptureSession> session_;
    std::shared_ptr<platform::AVCaptureOutput> output_;
    int mode_ = kPhotoMode;
    int cameraDevice_ = kBackCamera;
    bool previewRunning_ = false;
    bool recording_ = false;
    platform::BoundedHistory<Photo> photos_{kKeptPhotos};

    std::optional<LockRequest> lastLock_;
    std::optional<AutofocusRequest> lastAutofocus_;
    int autofocusCount_ = 0;
    bool hostFocusing_ = false;
    bool hostExposing_ = false;
    bool focusHeld_ = false;
    bool exposureHeld_ = false;
    bool whiteBalanceHeld_ = false;
    Adjustment focusAdjustment_;
    Adjustment exposureAdjustment_;
    HostCalls calls_;
};

}  // namespace host
