#include <gtest/gtest.h>

#include <cmath>

#include "platform/capture/AVCaptureDevice.h"
#include "platform/capture/AVCaptureSession.h"

namespace platform {
namespace {

using Changes = std::vector<CaptureChange>;

TEST(AVCaptureDeviceTest, StartsContinuousAtTheCentreAndUnlocked) {
    CaptureCapabilities frontCamera;
    frontCamera.focusModes = {0};
    frontCamera.exposureModes = {0, 1};
    auto device = AVCaptureDevice::create(frontCamera);
    EXPECT_EQ(device->focusMode(), 0);
    EXPECT_EQ(device->exposureMode(), 1);
    EXPECT_EQ(device->whiteBalanceMode(), 2);
    EXPECT_EQ(device->focusPointOfInterest(), CGPointMake(0.5f, 0.5f));
    EXPECT_EQ(device->exposurePointOfInterest(), CGPointMake(0.5f, 0.5f));
    EXPECT_FALSE(device->isLockedForConfiguration());
}

TEST(AVCaptureDeviceTest, EverySetterIsRefusedWithoutTheConfigurationLock) {
    auto device = AVCaptureDevice::create({});
    device->setFocusMode(0);
    device->setExposureMode(0);
    device->setWhiteBalanceMode(0);
    device->setFocusPointOfInterest({0.1f, 0.2f});
    device->setExposurePointOfInterest({0.3f, 0.4f});
    device->unlockForConfiguration();

    EXPECT_EQ(device->focusMode(), 2);
    EXPECT_EQ(device->exposureMode(), 2);
    EXPECT_EQ(device->whiteBalanceMode(), 2);
    EXPECT_EQ(device->focusPointOfInterest(), CGPointMake(0.5f, 0.5f));
    EXPECT_EQ(device->exposurePointOfInterest(), CGPointMake(0.5f, 0.5f));
    EXPECT_EQ(device->changeLog().entries(),
              (Changes{{"focusMode", "0", false},
                       {"exposureMode", "0", false},
                       {"whiteBalanceMode", "0", false},
                       {"focusPointOfInterest", "{0.1, 0.2}", false},
                       {"exposurePointOfInterest", "{0.3, 0.4}", false},
                       {"unlockForConfiguration", "", false}}));
}

TEST(AVCaptureDeviceTest, UnsupportedModesAndPointsAreRefusedUnderTheLock) {
    CaptureCapabilities limited;
    limited.focusModes = {1, 2};
    limited.exposureModes = {2};
    limited.whiteBalanceModes = {1, 2};
    limited.focusPointOfInterest = false;
    auto device = AVCaptureDevice::create(limited);
    ASSERT_TRUE(device->lockForConfiguration());
    device->setFocusMode(0);
    device->setExposureMode(1);
    device->setWhiteBalanceMode(0);
    device->setFocusPointOfInterest({0.2f, 0.2f});
    device->setExposurePointOfInterest({1.5f, 0.5f});
    device->setExposurePointOfInterest({NAN, 0.5f});
    device->setFocusMode(1);
    device->setExposurePointOfInterest({1, 0});
    device->unlockForConfiguration();

    EXPECT_EQ(device->focusMode(), 1);
    EXPECT_EQ(device->exposureMode(), 2);
    EXPECT_EQ(device->whiteBalanceMode(), 2);
    EXPECT_EQ(device->focusPointOfInterest(), CGPointMake(0.5f, 0.5f));
    EXPECT_EQ(device->exposurePointOfInterest(), CGPointMake(1, 0));
    const auto& log = device->changeLog().entries();
    ASSERT_EQ(log.size(), 10u);
    for (size_t i = 1; i <= 6; ++i) {
        EXPECT_FALSE(log[i].accepted) << log[i].what << " " << log[i].value;
    }
    EXPECT_EQ(log[7], (CaptureChange{"focusMode", "1", true}));
    EXPECT_EQ(log[9], (CaptureChange{"unlockForConfiguration", "", true}));
}

TEST(AVCaptureDeviceTest, RefusedLockLeavesEverySettingAlone) {
    CaptureCapabilities busy;
    busy.lockForConfiguration = false;
    auto device = AVCaptureDevice::create(busy);
    EXPECT_FALSE(device->lockForConfiguration());
    EXPECT_FALSE(device->isLockedForConfiguration());
    device->setWhiteBalanceMode(0);
    EXPECT_EQ(device->whiteBalanceMode(), 2);
    EXPECT_EQ(device->changeLog().entries(),
              (Changes{{"lockForConfiguration", "", false}, {"whiteBalanceMode", "0", false}}));
}

TEST(AVCaptureDeviceTest, ObserverHearsAcceptedChangesOnlyAndTheLogClears) {
    auto device = AVCaptureDevice::create({});
    Changes heard;
    device->changeLog().setObserver([&](const CaptureChange& change) { heard.push_back(change); });
    device->setFocusMode(1);
    device->lockForConfiguration();
    device->setFocusPointOfInterest({0.25f, 0.75f});
    device->setFocusMode(1);
    device->unlockForConfiguration();
    EXPECT_EQ(heard, (Changes{{"lockForConfiguration", "", true},
                              {"focusPointOfInterest", "{0.25, 0.75}", true},
                              {"focusMode", "1", true},
                              {"unlockForConfiguration", "", true}}));
    EXPECT_EQ(device->changeLog().entries().size(), 5u);
    device->changeLog().clear();
    EXPECT_TRUE(device->changeLog().entries().empty());
}

TEST(AVCaptureDeviceTest, CapabilitiesChangeWhileRunning) {
    auto device = AVCaptureDevice::create({});
    ASSERT_TRUE(device->lockForConfiguration());
    device->setFocusMode(1);

    CaptureCapabilities changed;
    changed.focusModes = {0};
    changed.lockForConfiguration = false;
    changed.sessionPresets.erase(AVCaptureSessionPreset1920x1080);
    device->setCapabilities(changed);

    // What was set stays; what is asked from now on follows the new hardware.
    EXPECT_EQ(device->focusMode(), 1);
    EXPECT_TRUE(device->isLockedForConfiguration());
    EXPECT_FALSE(device->isFocusModeSupported(2));
    device->setFocusMode(2);
    EXPECT_EQ(device->focusMode(), 1);
    EXPECT_FALSE(device->supportsAVCaptureSessionPreset(AVCaptureSessionPreset1920x1080));
    device->unlockForConfiguration();
    EXPECT_FALSE(device->lockForConfiguration());
}

TEST(AVCaptureSessionTest, TakesOnlyPresetsItsCameraSupports) {
    CaptureCapabilities no1080p;
    no1080p.sessionPresets.erase(AVCaptureSessionPreset1920x1080);
    auto session = AVCaptureSession::create(AVCaptureDevice::create(no1080p));
    EXPECT_EQ(session->sessionPreset(), AVCaptureSessionPresetHigh);

    session->setSessionPreset(AVCaptureSessionPreset1920x1080);
    session->setSessionPreset("AVCaptureSessionPreset4K");
    session->setSessionPreset(AVCaptureSessionPresetiFrame960x540);
    EXPECT_EQ(session->sessionPreset(), "AVCaptureSessionPresetiFrame960x540");
    EXPECT_EQ(session->changeLog().entries(),
              (Changes{{"sessionPreset", "AVCaptureSessionPreset1920x1080", false},
                       {"sessionPreset", "AVCaptureSessionPreset4K", false},
                       {"sessionPreset", "AVCaptureSessionPresetiFrame960x540", true}}));

    auto withoutCamera = AVCaptureSession::create();
    withoutCamera->setSessionPreset(AVCaptureSessionPreset1920x1080);
    EXPECT_EQ(withoutCamera->sessionPreset(), AVCaptureSessionPreset1920x1080);
}

}  // namespace
}  // namespace platform
