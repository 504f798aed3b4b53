#include "sim/DeviceSetup.h"

#include <gtest/gtest.h>

#include "snapforge/startup/Startup.h"

namespace sim {
namespace {

TEST(DeviceSetup, TheChosenDeviceWithItsOverridesAndCapabilities) {
    DeviceChoice choice;
    choice.device = {"iPhone5,1", std::string("7.0"), platform::CGSize{320, 568}, std::nullopt};
    choice.capabilities = {{CapabilityKind::FocusContinuous, "", false},
                           {CapabilityKind::Preset, "AVCaptureSessionPreset1920x1080", false},
                           {CapabilityKind::WbLocked, "", false},
                           {CapabilityKind::WbLocked, "", true}};
    const auto profile = choice.profile("com.example.other", false);
    EXPECT_EQ(profile.machine, "iPhone5,1");
    EXPECT_EQ(profile.systemVersion, "7.0");
    EXPECT_EQ(profile.screenSize, (platform::CGSize{320, 568}));
    EXPECT_EQ(profile.bundleIdentifier, "com.example.other");
    EXPECT_FALSE(profile.capture.focusModes.contains(2));
    EXPECT_TRUE(profile.capture.whiteBalanceModes.contains(0));  // the later change holds
    EXPECT_FALSE(profile.capture.sessionPresets.contains("AVCaptureSessionPreset1920x1080"));
    ASSERT_TRUE(profile.uniqueIdentifier);
    EXPECT_EQ(profile.uniqueIdentifier->find(snapforge::kDebugLockConstant), std::string::npos);
}

TEST(DeviceSetup, TheLogPutsTheDebugLockIntoTheIdentifier) {
    DeviceChoice choice;
    const auto plain = choice.profile("com.apple.camera", false);
    const auto logged = choice.profile("com.apple.camera", true);
    ASSERT_TRUE(plain.uniqueIdentifier && logged.uniqueIdentifier);
    EXPECT_EQ(logged.uniqueIdentifier->size(), plain.uniqueIdentifier->size());
    EXPECT_TRUE(logged.uniqueIdentifier->starts_with(snapforge::kDebugLockConstant));

    const std::string lock(snapforge::kDebugLockConstant);
    EXPECT_EQ(withDebugLock("short"), lock);
    EXPECT_EQ(withDebugLock("xx" + lock), "xx" + lock);
    EXPECT_EQ(capabilityText({CapabilityKind::Preset, "P", true}), "preset:P");
    EXPECT_EQ(capabilityText({CapabilityKind::LockConfig, "", true}), "lock-config");
}

}  // namespace
}  // namespace sim
