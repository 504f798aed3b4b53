#include <gtest/gtest.h>

#include "platform/Process.h"
#include "platform/ui/UIApplication.h"
#include "snapforge/geometry/Helper.h"
#include "snapforge/geometry/UIDeviceHardware.h"

namespace snapforge {
namespace {

using platform::CGAffineTransformConcat;
using platform::CGAffineTransformIdentity;

TEST(Helper, OpposedTransformsCancelOut) {
    EXPECT_EQ(CGAffineTransformConcat(Helper::getTransformation(3), Helper::getTransformation(4)),
              CGAffineTransformIdentity);
    EXPECT_EQ(CGAffineTransformConcat(Helper::getTransformation(2), Helper::getTransformation(2)),
              CGAffineTransformIdentity);
    EXPECT_NEAR(platform::CGAffineTransformAngleDegrees(Helper::getTransformation(3)), 90, 1e-6);
    EXPECT_NEAR(platform::CGAffineTransformAngleDegrees(Helper::getTransformation(4)), -90, 1e-6);
}

TEST(Helper, BoxPointClampsEachCoordinate) {
    EXPECT_EQ(Helper::boxPoint({-0.2f, 1.7f}), (CGPoint{0, 1}));
    EXPECT_EQ(Helper::boxPoint({0.25f, 0.75f}), (CGPoint{0.25f, 0.75f}));
}

TEST(Helper, OffsetPointPlacesAReticleUnderTheFingerForEachStatusBarOrientation) {
    platform::Process process;
    const auto reticle = platform::CGRectMake(7, 9, 90, 90);
    const CGPoint touch{200, 300};
    const std::pair<int, CGPoint> expected[] = {{1, {160, 260}},
                                                {2, {154.5f, 265.5f}},
                                                {3, {160.5f, 265}},
                                                {4, {150, 260.5f}},
                                                {0, {0, 0}}};
    for (const auto& [orientation, point] : expected) {
        platform::UIApplication::sharedApplication().setStatusBarOrientation(orientation);
        EXPECT_EQ(Helper::getOrientationOffsetPoint(reticle, touch), point) << orientation;
    }
}

TEST(UIDeviceHardware, RanksFollowTheModelTable) {
    EXPECT_FLOAT_EQ(UIDeviceHardware::platformID("iPad4,2"), 6.3f);
    EXPECT_FLOAT_EQ(UIDeviceHardware::platformID("iPhone3,3"), 4.0f);
    EXPECT_FLOAT_EQ(UIDeviceHardware::platformID("iPhone3,1"), 4.0f);
    EXPECT_FLOAT_EQ(UIDeviceHardware::platformID("iPod1,1"), 0.1f);
    EXPECT_FLOAT_EQ(UIDeviceHardware::platformID("x86_64"), 0.0f);
    EXPECT_FLOAT_EQ(UIDeviceHardware::platformID("iPhone9,9"), 0.0f);
}

TEST(UIDeviceHardware, ReadsTheMachineFromTheKernel) {
    platform::DeviceProfile profile;
    profile.machine = "iPod5,1";
    platform::Process process(profile);
    EXPECT_EQ(UIDeviceHardware::platform(), "iPod5,1");
    EXPECT_FLOAT_EQ(UIDeviceHardware::platformID(), 5.5f);
}

}  // namespace
}  // namespace snapforge
