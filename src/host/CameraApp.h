#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/HostEventFeed.h"
#include "host/SimCameraController.h"
#include "host/SimCameraView.h"
#include "platform/ui/UIWindow.h"

namespace host {

// The camera application of one simulated process, driven from outside as a user would drive
// it. The controller lives as long as the app; the camera screen (window, camera view and its
// parts) lives from launch to close.
class CameraApp {
public:
    // Runs once, at the first launch, after the app's classes are registered and before the
    // controller is initialised: where the phone's hooking service loads extensions.
    using LoadExtensions = std::function<void()>;

    explicit CameraApp(LoadExtensions loadExtensions = {});
    ~CameraApp();
    CameraApp(const CameraApp&) = delete;
    CameraApp& operator=(const CameraApp&) = delete;

    HostEventFeed& events() { return *events_; }

    // Opens the camera: the controller (alloc, then init through the runtime) on first use, the
    // camera view with its preview overlay (initWithFrame:) and button bar (layoutSubviews) in
    // a window filling the screen, then viewDidAppear, startPreview and the iris opening.
    // Nothing happens while the camera is open.
    void launch();
    // Closes the camera: stopPreview, then dealloc to the camera view and to its button bar
    // before the app lets go of them.
    void close();
    bool isOpen() const { return cameraView_ != nullptr; }

    // A tap on the shutter button, through the screen. False when there is no shutter.
    bool pressShutter();
    // The photo/video switch (0 photo, 1 video). False when it cannot happen now.
    bool setCameraMode(int mode);
    bool setPanorama(bool on);
    // Why the switch or the panorama change cannot happen now ("iris closed"), or nothing.
    std::optional<std::string> modeSwitchRefusal(int mode) const;
    std::optional<std::string> panoramaRefusal(bool on) const;
    // The interface turns to an orientation (1 to 4); the status bar turns even while closed.
    void rotate(int orientation);
    void enterBackground();
    void enterForeground();
    bool isInBackground() const { return inBackground_; }
    // Changes the camera hardware (see setCapability in DeviceModels.h), also while running.
    // False for an unknown capability name.
    bool setCapability(std::string_view name, bool on);

    std::shared_ptr<SimCameraController> controller() const { return controller_; }
    std::shared_ptr<SimCameraView> cameraView() const { return cameraView_; }
    std::shared_ptr<platform::UIWindow> window() const { return window_; }
    // The latest photos (see SimCameraController::kKeptPhotos) and how many were taken.
    const std::vector<SimCameraController::Photo>& photos() const;
    int photoCount() const;

    // Screen points of the parts a user touches; nullopt when the part is not there.
    std::optional<platform::CGPoint> shutterCenter() const;
    std::optional<platform::CGPoint> previewCenter() const;

private:
    void createController();

    LoadExtensions loadExtensions_;
    std::shared_ptr<HostEventFeed> events_;
    std::shared_ptr<SimCameraController> controller_;
    std::shared_ptr<platform::UIWindow> window_;
    std::shared_ptr<SimCameraView> cameraView_;
    bool inBackground_ = false;
};

}  // namespace host
