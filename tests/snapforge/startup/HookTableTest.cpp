#include <gtest/gtest.h>

#include "host/HostClasses.h"
#include "host/Selectors.h"
#include "platform/Process.h"
#include "platform/runtime/Runtime.h"
#include "snapforge/startup/Hooks.h"
#include "snapforge/startup/Startup.h"

namespace snapforge {
namespace {

struct HookEntry {
    const char* className;
    platform::SEL selector;
    platform::IMP slotAfterInstall;
    platform::IMP replacement;
};

#define SF_ENTRY(cls, selector, name)                                                           \
    HookEntry {                                                                                 \
#cls, host::sel::selector.sel, reinterpret_cast < platform::IMP>(_orig$##cls##$##name), \
            reinterpret_cast < platform::IMP>(&_method$##cls##$##name)                          \
    }

// The table in install order, read after installation.
std::vector<HookEntry> hookTable() {
    return {
        SF_ENTRY(PLCameraView, exitPanoramaModeAndShowIris, exitPanoramaModeAndShowIris$),
        SF_ENTRY(PLCameraView, enterPanoramaMode, enterPanoramaMode),
        SF_ENTRY(PLCameraView, openIrisWithDidFinishSelector,
                 openIrisWithDidFinishSelector$withDuration$),
        SF_ENTRY(PLCameraView, closeIrisWithDidFinishSelector,
                 closeIrisWithDidFinishSelector$withDuration$),
        SF_ENTRY(PLCameraView, touchesBegan, touchesBegan$withEvent$),
        SF_ENTRY(PLCameraView, touchesMoved, touchesMoved$withEvent$),
        SF_ENTRY(PLCameraView, touchesEnded, touchesEnded$withEvent$),
        SF_ENTRY(PLCameraView, viewDidAppear, viewDidAppear),
        SF_ENTRY(PLCameraView, _windowWillAnimateRotationToOrientation,
                 _windowWillAnimateRotationToOrientation$),
        SF_ENTRY(PLCameraView, _handleOverlayViewLongPress, _handleOverlayViewLongPress$),
        SF_ENTRY(PLCameraView, dealloc, dealloc),
        SF_ENTRY(PLCameraView, convertToPointOfInterestFromViewCoordinates,
                 convertToPointOfInterestFromViewCoordinates$pointIsInsideContent$),
        SF_ENTRY(PLCameraView, cameraControllerDidTakePhoto, cameraControllerDidTakePhoto$),
        SF_ENTRY(PLCameraView, cameraShutterClicked, cameraShutterClicked$),
        SF_ENTRY(PLPreviewOverlayView, initWithFrame, initWithFrame$),
        SF_ENTRY(PLSwipeBlockingScrollView, gestureRecognizerShouldBegin,
                 gestureRecognizerShouldBegin$),
        SF_ENTRY(PLCameraButtonBar, layoutSubviews, layoutSubviews),
        SF_ENTRY(PLCameraButtonBar, dealloc, dealloc),
        SF_ENTRY(PLCameraController, init, init),
        SF_ENTRY(PLCameraController, _focusCompleted, _focusCompleted),
        SF_ENTRY(PLCameraController, _focusStarted, _focusStarted),
        SF_ENTRY(PLCameraController, isFocusAllowed, isFocusAllowed),
        SF_ENTRY(PLCameraController, _autofocus, _autofocus$autoExpose$),
        SF_ENTRY(PLCameraController, autofocus, autofocus),
        SF_ENTRY(PLCameraController, _exposureStarted, _exposureStarted),
        SF_ENTRY(PLCameraController, _exposureCompleted, _exposureCompleted),
        SF_ENTRY(PLCameraController, _whiteBalanceStarted, _whiteBalanceStarted),
        SF_ENTRY(PLCameraController, _setCameraMode, _setCameraMode$cameraDevice$),
        SF_ENTRY(PLCameraController, stopPreview, stopPreview),
        SF_ENTRY(PLCameraController, startPreview, startPreview),
    };
}

#undef SF_ENTRY

TEST(HookTable, InstallsThirtyHooksInOrderEachKeepingTheHostsOwnMethod) {
    platform::Process process;
    host::registerHostClasses();
    std::vector<platform::IMP> hostMethods;
    for (const auto& entry : hookTable()) {
        const platform::Method* method =
            platform::objc_getClass(entry.className)->lookup(entry.selector);
        ASSERT_NE(method, nullptr)
            << entry.className << " " << platform::sel_getName(entry.selector);
        hostMethods.push_back(method->imp);
    }

    SnapforgeInitialize();

    const auto table = hookTable();
    std::vector<std::string> expectedOrder;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const auto& entry = table[i];
        const std::string name =
            std::string(entry.className) + " " + platform::sel_getName(entry.selector);
        expectedOrder.push_back(name);
        EXPECT_EQ(entry.slotAfterInstall, hostMethods[i]) << name;
        EXPECT_EQ(platform::objc_getClass(entry.className)->ownMethod(entry.selector)->imp,
                  entry.replacement)
            << name;
    }
    EXPECT_EQ(platform::Runtime::shared().installedHooks(), expectedOrder);
    EXPECT_EQ(installedHookCount(), 30);
}

}  // namespace
}  // namespace snapforge
