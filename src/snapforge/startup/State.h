#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Geometry.h"

namespace platform {
class NSMutableDictionary;
}

namespace host {
class PLCameraController;
class PLCameraView;
class PLPreviewOverlayView;
class PLCameraButtonBar;
}  // namespace host

namespace snapforge {

class FocusView;
class ExposureView;
class CameraBarEx;
class SettingsButtonEx;
class WhiteBalanceButton;
class StopButton;
class PreferenceButton;
class SettingsPanel;

using platform::CGPoint;

// The library's whole shared state. The member initialisers are the values a fresh process
// starts from; one instance lives per process (see state()).
struct State {
    // Process switches, set once at start-up.
    bool LOGGER_ON = false;
    bool IS_IOS6 = false;
    bool DISABLE_SAVE = true;

    // Host objects: the host owns them, the library only refers to them.
    std::weak_ptr<host::PLCameraController> cameraController;
    std::weak_ptr<host::PLCameraView> cameraView;
    std::weak_ptr<host::PLPreviewOverlayView> previewOverlayView;
    std::weak_ptr<host::PLCameraButtonBar> cameraButtonBar;

    // The library's own objects.
    std::shared_ptr<FocusView> focusView;
    std::shared_ptr<ExposureView> exposureView;
    std::shared_ptr<CameraBarEx> cameraBar;
    std::shared_ptr<SettingsButtonEx> settingsButton;
    std::shared_ptr<WhiteBalanceButton> wbLockButton;
    std::shared_ptr<StopButton> stopBtn;
    std::shared_ptr<PreferenceButton> prefButton;
    std::shared_ptr<SettingsPanel> settingsPanel;
    std::shared_ptr<platform::NSMutableDictionary> prefsDictionary;

    // Modes, selections and values.
    int currentOrientation = 1;
    int currentCameraMode = 1;
    int _cameraControllerMode = 0;
    bool didChangeModes = false;
    int overlayIndex = 3;
    int guideIndex = 3;
    int resolutionIndex = 1;
    int _timerTime = 5;
    int _timeLapseTime = 5;
    int _frameRateTime = 30;
    int _timeType = 0;
    bool UseAdvancedCamera = false;
    bool rememberSettings = false;

    // Remembered (kept in the preferences file) and in-force values of each choice.
    bool _advPhotoSelected = true;
    bool _tmpAdvPhotoSelected = true;
    bool _advVideoSelected = false;
    bool _tmpAdvVideoSelected = false;
    bool _timeLapseSelected = false;
    bool _tmpTimeLapseSelected = false;
    bool _timerSelected = false;
    bool _tmpTimerSelected = false;
    bool _frameRateSelected = false;
    bool _tmpFrameRateSelected = false;
    bool _overlaySelected = false;
    bool _tmpOverlaySelected = false;
    bool _resolutionSelected = false;
    bool _tmpResolutionSelected = false;
    bool _guideSelected = false;
    bool _tmpGuideSelected = false;

    // Focus, exposure and white balance.
    bool canFocus = true;
    bool canExpose = true;
    bool canWhiteBalance = true;
    bool touchInsideFocus = false;
    bool touchInsideExposure = false;
    bool touchDirectObject = false;
    bool movedObject = false;
    bool longPressHandled = false;
    // The touch in progress began on the host's bottom bar: its end aims nothing.
    bool touchBeganOnButtonBar = false;
    CGPoint startLocation{0, 0};
    CGPoint orientationOffsetPt{0, 0};

    // Capture, timer and display flags.
    bool capturingPhoto = false;
    bool killtimer = false;
    int iSeconds = 0;
    bool addOneToSeconds = false;
    bool overlayIsShowing = false;
    bool frameGuideIsShowing = false;
    int kCameraButtonBarHeight = 0;

    // Preference bookkeeping.
    bool _didSetPrefs = false;
    bool skipSavePrefs = false;

    // A scalar variable by its name, printed as the simulator shows values ("YES"/"NO",
    // integers, "x,y" points); empty for an unknown name.
    std::optional<std::string> describe(std::string_view name) const;
    // Every name describe() answers, in the order of the state table.
    static std::vector<std::string_view> scalarNames();
};

// The state of the current process, created with it.
State& state();

// Resets part of the state when the camera preview stops.
void clearVariables();

}  // namespace snapforge
