#include <gtest/gtest.h>

#include "platform/Process.h"
#include "platform/foundation/DevicePath.h"
#include "platform/ui/AnimationLog.h"
#include "snapforge/focus/ExposureView.h"
#include "snapforge/focus/FocusView.h"
#include "snapforge/startup/LibraryClass.h"
#include "support/TestFiles.h"

namespace snapforge {
namespace {

TEST(Reticle, ANewReticleIsUnlockedAtRestWithItsBadgeCentredAndHidden) {
    platform::Process process;
    testsupport::writeDeviceFile(std::string(kImageFolder) + "objectLock2.png",
                                 testsupport::pngHeader(50, 50));
    auto focus = FocusView::create(platform::CGRectMake(115, 195, 90, 90));
    EXPECT_FALSE(focus->isLocked());
    EXPECT_FALSE(focus->isAnimating());
    EXPECT_EQ(focus->animationImages().size(), 3u);
    EXPECT_DOUBLE_EQ(focus->animationDuration(), 0.2);
    EXPECT_TRUE(focus->lockImageView()->isHidden());
    EXPECT_EQ(focus->lockImageView()->frame(), platform::CGRectMake(20, 20, 50, 50));
    EXPECT_EQ(focus->lockImageView()->superview(), focus.get());

    // Without the badge's picture the badge view has no size of its own.
    std::filesystem::remove(platform::devicePath(std::string(kImageFolder) + "objectLock2.png"));
    auto exposure = ExposureView::create(platform::CGRectMake(0, 0, 90, 90));
    EXPECT_DOUBLE_EQ(exposure->animationDuration(), 0.1);
    EXPECT_EQ(exposure->lockImageView()->frame(), platform::CGRectMake(45, 45, 50, 50));
}

TEST(Reticle, LockedStateMovesTheBadgeWhileTheFlagAloneDoesNot) {
    platform::Process process;
    auto reticle = ExposureView::create(platform::CGRectMake(115, 195, 90, 90));
    reticle->setLockedState(true);
    EXPECT_TRUE(reticle->isLocked());
    EXPECT_FALSE(reticle->lockImageView()->isHidden());
    reticle->setIsLocked(false);
    EXPECT_FALSE(reticle->isLocked());
    EXPECT_FALSE(reticle->lockImageView()->isHidden());
    reticle->setLockedState(false);
    EXPECT_TRUE(reticle->lockImageView()->isHidden());
}

TEST(Reticle, RotateLockTurnsOnlyTheBadgeInsideAnimationW) {
    platform::Process process;
    const auto frame = platform::CGRectMake(115, 195, 90, 90);
    auto reticle = FocusView::create(frame);
    reticle->rotateLock(2);
    EXPECT_NEAR(platform::CGAffineTransformAngleDegrees(reticle->lockImageView()->transform()), 180,
                1e-4);
    EXPECT_EQ(reticle->frame(), frame);
    EXPECT_TRUE(platform::CGAffineTransformIsIdentity(reticle->transform()));
    auto records = platform::AnimationLog::shared().recordsFor(reticle->lockImageView().get());
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().name, "w");
    EXPECT_DOUBLE_EQ(records.back().duration, 0.4);
}

}  // namespace
}  // namespace snapforge
