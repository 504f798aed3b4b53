#include <gtest/gtest.h>

#include <set>

#include "host/DeviceModels.h"

namespace host {
namespace {

TEST(DeviceModels, ScreenSizeFollowsTheModel) {
    EXPECT_EQ(deviceProfile("iPhone4,1").screenSize, platform::CGSizeMake(320, 480));
    EXPECT_EQ(deviceProfile("iPhone3,3").screenSize, platform::CGSizeMake(320, 480));
    EXPECT_EQ(deviceProfile("iPod4,1").screenSize, platform::CGSizeMake(320, 480));
    EXPECT_EQ(deviceProfile("iPhone5,1").screenSize, platform::CGSizeMake(320, 568));
    EXPECT_EQ(deviceProfile("iPod5,1").screenSize, platform::CGSizeMake(320, 568));
    EXPECT_EQ(deviceProfile("iPad2,4").screenSize, platform::CGSizeMake(768, 1024));
    EXPECT_EQ(deviceProfile("iPad4,3").screenSize, platform::CGSizeMake(768, 1024));
    EXPECT_EQ(deviceProfile("x86_64").screenSize, platform::CGSizeMake(320, 480));
}

TEST(DeviceModels, EveryKnownModelAndAnUnknownOneGiveAProfile) {
    ASSERT_EQ(knownMachines().size(), 25u);
    EXPECT_EQ(knownMachines().front(), "iPhone1,1");
    EXPECT_EQ(knownMachines().back(), "x86_64");
    std::set<std::string> identifiers;
    for (const auto& machine : knownMachines()) {
        const auto profile = deviceProfile(machine);
        EXPECT_EQ(profile.machine, machine);
        EXPECT_EQ(profile.bundleIdentifier, "com.apple.camera");
        EXPECT_FALSE(profile.systemVersion.empty());
        ASSERT_TRUE(profile.uniqueIdentifier);
        EXPECT_EQ(profile.uniqueIdentifier->size(), 40u);
        EXPECT_EQ(profile.uniqueIdentifier->find_first_not_of("0123456789abcdef"),
                  std::string::npos);
        identifiers.insert(*profile.uniqueIdentifier);
    }
    EXPECT_EQ(identifiers.size(), knownMachines().size());
    EXPECT_EQ(uniqueIdentifierFor("iPhone4,1"), uniqueIdentifierFor("iPhone4,1"));

    // An unknown identifier is taken for a newer phone with a full camera.
    const auto unknown = deviceProfile("iPhone9,9");
    EXPECT_EQ(unknown.machine, "iPhone9,9");
    EXPECT_EQ(unknown.systemVersion, "6.1.3");
    EXPECT_TRUE(unknown.capture.focusModes.contains(2));
    EXPECT_TRUE(unknown.capture.sessionPresets.contains("AVCaptureSessionPreset1920x1080"));
}

TEST(DeviceModels, CameraHardwareDiffersByModel) {
    const auto phone4S = deviceProfile("iPhone4,1").capture;
    EXPECT_TRUE(phone4S.focusModes.contains(2));
    EXPECT_TRUE(phone4S.exposureModes.contains(2));
    EXPECT_TRUE(phone4S.sessionPresets.contains("AVCaptureSessionPreset1920x1080"));

    const auto phone4 = deviceProfile("iPhone3,1").capture;
    EXPECT_FALSE(phone4.sessionPresets.contains("AVCaptureSessionPreset1920x1080"));
    EXPECT_TRUE(phone4.sessionPresets.contains("AVCaptureSessionPreset1280x720"));

    // Fixed-focus cameras: no focus modes to steer, no focus point.
    const auto pad2 = deviceProfile("iPad2,1").capture;
    EXPECT_FALSE(pad2.focusModes.contains(2));
    EXPECT_FALSE(pad2.focusPointOfInterest);
    EXPECT_TRUE(pad2.exposureModes.contains(2));

    const auto firstPhone = deviceProfile("iPhone1,1").capture;
    EXPECT_FALSE(firstPhone.exposureModes.contains(2));
    EXPECT_FALSE(firstPhone.videoConnection);

    const auto noCamera = deviceProfile("iPod3,1").capture;
    EXPECT_TRUE(noCamera.focusModes.empty());
    EXPECT_TRUE(noCamera.sessionPresets.empty());
}

TEST(DeviceModels, OverridesReplaceTheFactoryValues) {
    DeviceOverrides overrides;
    overrides.systemVersion = "5.1.1";
    overrides.screenSize = platform::CGSizeMake(480, 320);
    overrides.uniqueIdentifier = "abc";
    const auto profile = deviceProfile("iPhone5,1", overrides);
    EXPECT_EQ(profile.systemVersion, "5.1.1");
    EXPECT_EQ(profile.screenSize, platform::CGSizeMake(480, 320));
    EXPECT_EQ(profile.uniqueIdentifier, "abc");
    EXPECT_EQ(profile.machine, "iPhone5,1");
}

TEST(DeviceModels, CapabilitiesSwitchByName) {
    platform::CaptureCapabilities capabilities;
    EXPECT_TRUE(setCapability(capabilities, "focus-continuous", false));
    EXPECT_FALSE(capabilities.focusModes.contains(2));
    EXPECT_TRUE(capabilities.focusModes.contains(1));
    EXPECT_TRUE(setCapability(capabilities, "wb-locked", false));
    EXPECT_FALSE(capabilities.whiteBalanceModes.contains(0));
    EXPECT_TRUE(setCapability(capabilities, "lock-config", false));
    EXPECT_FALSE(capabilities.lockForConfiguration);
    EXPECT_TRUE(setCapability(capabilities, "preset:AVCaptureSessionPreset1920x1080", false));
    EXPECT_FALSE(capabilities.sessionPresets.contains("AVCaptureSessionPreset1920x1080"));
    EXPECT_TRUE(setCapability(capabilities, "preset:Custom", true));
    EXPECT_TRUE(capabilities.sessionPresets.contains("Custom"));
    for (const auto& name : capabilityNames()) {
        EXPECT_TRUE(setCapability(capabilities, name, true)) << name;
    }
    EXPECT_TRUE(capabilities.focusModes.contains(2));
    EXPECT_TRUE(capabilities.lockForConfiguration);

    const auto before = capabilities.sessionPresets;
    EXPECT_FALSE(setCapability(capabilities, "focus", true));
    EXPECT_FALSE(setCapability(capabilities, "preset:", true));
    EXPECT_EQ(capabilities.sessionPresets, before);
}

TEST(DeviceModels, MajorVersionIsReadWhole) {
    EXPECT_EQ(majorSystemVersion("6.1.3"), 6);
    EXPECT_EQ(majorSystemVersion("5.1.1"), 5);
    EXPECT_EQ(majorSystemVersion("10.0"), 10);
    EXPECT_EQ(majorSystemVersion("beta"), 0);
    EXPECT_EQ(majorSystemVersion(""), 0);
}

}  // namespace
}  // namespace host
