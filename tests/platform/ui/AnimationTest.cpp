#include <gtest/gtest.h>

#include "platform/Process.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/AnimationLog.h"
#include "platform/ui/CATransition.h"
#include "platform/ui/UIView.h"

namespace platform {
namespace {

TEST(UIViewAnimation, BlockSetsModelAtOnceAndCompletesAfterDelayPlusDuration) {
    Process process;
    auto view = UIView::create(CGRectMake(0, 0, 100, 100));
    std::vector<double> completedAt;
    UIView::animate(
        0.5, 0.25, UIViewAnimationOptionCurveLinear, [&] { view->setAlpha(0); },
        [&](bool finished) {
            EXPECT_TRUE(finished);
            completedAt.push_back(RunLoop::main().now());
        });

    EXPECT_EQ(view->alpha(), 0);
    RunLoop::main().runFor(0.7);
    EXPECT_TRUE(completedAt.empty());
    RunLoop::main().runFor(0.1);
    EXPECT_EQ(completedAt, std::vector<double>{0.75});

    const AnimationRecord* record = AnimationLog::shared().latest(view.get(), "alpha");
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->name, "");
    EXPECT_EQ(std::get<CGFloat>(record->from), 1);
    EXPECT_EQ(std::get<CGFloat>(record->to), 0);
    EXPECT_EQ(record->options, UIViewAnimationOptionCurveLinear);
    // Halfway through its linear run the renderer sees half the alpha; after it, nothing.
    auto halfway = AnimationLog::shared().presentationValue(view.get(), "alpha", 0.5);
    ASSERT_TRUE(halfway.has_value());
    EXPECT_FLOAT_EQ(std::get<CGFloat>(*halfway), 0.5f);
    EXPECT_FALSE(AnimationLog::shared().presentationValue(view.get(), "alpha", 0.8).has_value());
    AnimationLog::shared().discardEndedBefore(0.74);
    EXPECT_EQ(AnimationLog::shared().records().size(), 1u);
    AnimationLog::shared().discardEndedBefore(0.76);
    EXPECT_TRUE(AnimationLog::shared().records().empty());
}

TEST(UIViewAnimation, ZeroDurationCompletionStillWaitsForTheRunLoop) {
    Process process;
    bool completed = false;
    UIView::animate(
        0, [] {}, [&](bool) { completed = true; });
    EXPECT_FALSE(completed);
    RunLoop::main().runPending();
    EXPECT_TRUE(completed);
}

TEST(UIViewAnimation, NamedAnimationTakesItsDurationAtCommit) {
    Process process;
    auto icon = UIView::create(CGRectMake(10, 10, 20, 20));
    auto other = UIView::create(CGRectMake(0, 0, 5, 5));
    const auto turned = CGAffineTransformMakeRotation(static_cast<CGFloat>(M_PI));

    UIView::beginAnimations("w");
    icon->setTransform(turned);
    icon->setFrame(CGRectMake(40, 10, 20, 20));
    UIView::setAnimationDuration(0.5);
    UIView::commitAnimations();
    other->setFrame(CGRectMake(1, 1, 5, 5));  // outside any animation: not recorded

    const auto& log = AnimationLog::shared();
    EXPECT_TRUE(log.animated(icon.get(), "frame", "w", 0.5));
    EXPECT_TRUE(log.animated(icon.get(), "transform", "w", 0.5));
    EXPECT_FALSE(log.animated(icon.get(), "frame", "w", 0.4));
    EXPECT_TRUE(log.recordsFor(other.get()).empty());
    EXPECT_EQ(icon->transform(), turned);
    // Setters outside an open named animation change nothing.
    UIView::setAnimationDuration(3);
    EXPECT_EQ(log.latest(icon.get(), "frame")->duration, 0.5);
}

TEST(UIViewAnimation, BeginFromCurrentStateStartsWhereTheScreenIs) {
    Process process;
    auto reticle = UIView::create(CGRectMake(0, 0, 90, 90));
    const auto grown = CGAffineTransformMakeScale(2, 2);
    UIView::animate(1, 0, UIViewAnimationOptionCurveLinear, [&] { reticle->setTransform(grown); });
    RunLoop::main().runFor(0.5);

    UIView::animate(0.5, 0, UIViewAnimationOptionBeginFromCurrentState,
                    [&] { reticle->setTransform(CGAffineTransformIdentity); });
    auto from = std::get<CGAffineTransform>(
        AnimationLog::shared().latest(reticle.get(), "transform")->from);
    EXPECT_FLOAT_EQ(from.a, 1.5f);

    // Without the option the new animation starts from the model value.
    UIView::animate(0.5, 0, 0, [&] { reticle->setTransform(grown); });
    UIView::animate(0.5, 0, 0, [&] { reticle->setTransform(CGAffineTransformIdentity); });
    from = std::get<CGAffineTransform>(
        AnimationLog::shared().latest(reticle.get(), "transform")->from);
    EXPECT_EQ(from, grown);
}

TEST(UIViewAnimation, DisabledAnimationsRecordNothingButStillComplete) {
    Process process;
    auto view = UIView::create(CGRectMake(0, 0, 10, 10));
    UIView::setAnimationsEnabled(false);
    bool completed = false;
    UIView::animate(
        2, [&] { view->setAlpha(0.5f); }, [&](bool) { completed = true; });
    EXPECT_EQ(view->alpha(), 0.5f);
    EXPECT_TRUE(AnimationLog::shared().records().empty());
    RunLoop::main().runPending();
    EXPECT_TRUE(completed);
    UIView::setAnimationsEnabled(true);
    EXPECT_TRUE(UIView::areAnimationsEnabled());
}

TEST(UIViewAnimation, TransitionsAreRecordedAndFreedViewsLeaveNoMatch) {
    Process process;
    auto view = UIView::create(CGRectMake(0, 0, 10, 10));
    auto fade = CATransition::animation();
    fade.setDuration(0.4);
    fade.setTimingFunction(kCAMediaTimingFunctionEaseInEaseOut);
    fade.setType(kCATransitionFade);
    addTransition(view.get(), fade);
    addTransition(nullptr, fade);
    ASSERT_EQ(AnimationLog::shared().transitions().size(), 1u);
    EXPECT_EQ(AnimationLog::shared().transitions()[0].type, "fade");
    EXPECT_EQ(AnimationLog::shared().transitions()[0].timingFunction, "easeInEaseOut");

    UIView::animate(1, [&] { view->setAlpha(0); });
    const UIView* address = view.get();
    view.reset();
    EXPECT_TRUE(AnimationLog::shared().recordsFor(address).empty());
}

}  // namespace
}  // namespace platform
