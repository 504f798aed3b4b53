#include <gtest/gtest.h>

#include "platform/Process.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/AnimationLog.h"
#include "platform/ui/UIScreen.h"
#include "snapforge/timed/SelectorDial.h"

namespace snapforge {
namespace {

class SelectorDialTest : public ::testing::Test {
protected:
    // The dial as the bar shows it: 200 x 152 at the screen's origin.
    SelectorDialTest() { dial->setHidden(false); }

    std::string shown() { return dial->timeLB()->text(); }
    int alignment() { return dial->timeLB()->textAlignment(); }
    void press(const std::shared_ptr<platform::UIButton>& area) {
        screen.touchDown(area->center());
    }
    void release(const std::shared_ptr<platform::UIButton>& area) {
        screen.touchUp(area->center());
    }
    void run(double seconds) { platform::RunLoop::main().runFor(seconds); }

    platform::Process process;
    platform::UIScreen& screen = platform::UIScreen::mainScreen();
    std::shared_ptr<SelectorDial> dial = SelectorDial::create(platform::CGRectMake(0, 0, 200, 152));
};

TEST_F(SelectorDialTest, ANewDialIsAHiddenFiveSecondTimerWithItsButtonsHidden) {
    auto fresh = SelectorDial::create(platform::CGRectMake(60, 100, 200, 152));
    EXPECT_TRUE(fresh->isHidden());
    EXPECT_FLOAT_EQ(fresh->windowLevel(), 1999);
    EXPECT_EQ(fresh->time(), 5);
    EXPECT_EQ(fresh->timeType(), SelectorDial::kSeconds);
    EXPECT_EQ(fresh->selectorType(), SelectorDial::kTimerKind);
    EXPECT_EQ(fresh->titleLabel()->text(), "TIMER");
    EXPECT_EQ(fresh->titleLabel()->frame(), platform::CGRectMake(50, 18, 95, 20));
    EXPECT_TRUE(fresh->titleLabel()->adjustsFontSizeToFitWidth());
    EXPECT_EQ(fresh->unitLabel()->text(), "sec");
    EXPECT_EQ(fresh->unitLabel()->frame(), platform::CGRectMake(80, 96, 40, 20));
    EXPECT_EQ(fresh->timeLB()->text(), "5");
    EXPECT_EQ(fresh->timeLB()->frame(), platform::CGRectMake(60, 33, 80, 75));
    EXPECT_EQ(fresh->timeLB()->font(), platform::UIFont::fontWithName("Helvetica", 70));
    EXPECT_EQ(fresh->plusBtn()->frame(), platform::CGRectMake(153, 51, 50, 50));
    EXPECT_EQ(fresh->minusBtn()->frame(), platform::CGRectMake(5, 51, 50, 50));
    EXPECT_EQ(fresh->changeTimeBtn()->frame(), platform::CGRectMake(88, 120, 25, 22));
    EXPECT_TRUE(fresh->changeTimeBtn()->isHidden());
    EXPECT_EQ(fresh->okBtn()->frame(), platform::CGRectMake(75, 122, 50, 25));
    EXPECT_EQ(fresh->okBtn()->currentTitle(), "SET");
    EXPECT_TRUE(fresh->okBtn()->isHidden());
}

TEST_F(SelectorDialTest, TapsStepWithinOneToSixtyAndTwoDigitNumbersSitLeft) {
    dial->setTime(9);
    screen.tap(dial->plusBtn()->center());
    EXPECT_EQ(shown(), "10");
    EXPECT_EQ(alignment(), platform::NSTextAlignmentLeft);
    dial->plusTime();
    dial->minusTime();
    EXPECT_EQ(shown(), "10");
    EXPECT_EQ(alignment(), platform::NSTextAlignmentLeft);
    screen.tap(dial->minusBtn()->center());
    EXPECT_EQ(shown(), "9");
    EXPECT_EQ(alignment(), platform::NSTextAlignmentCenter);

    dial->setTime(60);
    screen.tap(dial->plusBtn()->center());
    EXPECT_EQ(dial->time(), 60);
    dial->setTime(1);
    screen.tap(dial->minusBtn()->center());
    EXPECT_EQ(dial->time(), 1);

    // A set value is shown as it is; stepping starts from it.
    dial->setTime(120);
    EXPECT_EQ(shown(), "120");
    dial->plusTime();
    EXPECT_EQ(dial->time(), 120);
    dial->minusTime();
    EXPECT_EQ(dial->time(), 119);
    dial->setTime(0);
    EXPECT_EQ(shown(), "0");

    // Lifting the finger outside the area after a short touch still steps once.
    dial->setTime(8);
    press(dial->minusBtn());
    screen.touchUp({100, 140});
    EXPECT_EQ(dial->time(), 7);
}

TEST_F(SelectorDialTest, ATimeLapseStepsDownByTwoAboveSixAndKeepsItsUnit) {
    dial->changeTimeType(nullptr);
    dial->setSelectorType(SelectorDial::kTimeLapseKind);
    EXPECT_EQ(dial->titleLabel()->text(), "TIME LAPSE");
    EXPECT_EQ(dial->unitLabel()->text(), "min");
    EXPECT_EQ(dial->timeType(), SelectorDial::kMinutes);

    dial->setTime(8);
    dial->minusTime();
    EXPECT_EQ(dial->time(), 6);
    dial->minusTime();
    EXPECT_EQ(dial->time(), 5);
    dial->minusTime();
    EXPECT_EQ(dial->time(), 4);
    dial->plusTime();
    EXPECT_EQ(dial->time(), 5);

    dial->setSelectorType(SelectorDial::kFrameRateKind);
    EXPECT_EQ(dial->titleLabel()->text(), "FRAME RATE");
    EXPECT_EQ(dial->unitLabel()->text(), "fps");
    EXPECT_EQ(dial->timeType(), SelectorDial::kSeconds);
    EXPECT_FALSE(dial->okBtn()->isHidden());
    dial->setTime(8);
    dial->minusTime();
    EXPECT_EQ(dial->time(), 7);

    dial->setTimeType(SelectorDial::kMinutes);
    dial->setSelectorType(SelectorDial::kTimerKind);
    EXPECT_EQ(dial->unitLabel()->text(), "sec");
    EXPECT_EQ(dial->timeType(), SelectorDial::kSeconds);
    EXPECT_TRUE(dial->okBtn()->isHidden());

    // The unit switch flips the unit when tapped.
    dial->changeTimeBtn()->setHidden(false);
    screen.tap(dial->changeTimeBtn()->center());
    EXPECT_EQ(dial->unitLabel()->text(), "min");
    screen.tap(dial->changeTimeBtn()->center());
    EXPECT_EQ(dial->unitLabel()->text(), "sec");
}

TEST_F(SelectorDialTest, HoldingStepsFiveTimesASecondAndTheReleaseAddsNothing) {
    press(dial->plusBtn());
    run(0.19);
    EXPECT_EQ(shown(), "5");
    run(0.81);
    EXPECT_EQ(shown(), "10");
    release(dial->plusBtn());
    EXPECT_EQ(shown(), "10");
    EXPECT_FALSE(dial->isHolding());
    run(1);
    EXPECT_EQ(shown(), "10");

    // At the limit a hold makes no step, so the release makes the one it can't.
    dial->setTime(60);
    press(dial->plusBtn());
    run(0.5);
    release(dial->plusBtn());
    EXPECT_EQ(dial->time(), 60);
}

TEST_F(SelectorDialTest, EveryHoldEndsWithItsTouchEvenACancelledOneOrOneTakenOverByTheOtherArea) {
    press(dial->plusBtn());
    run(0.4);
    screen.touchCancel();
    EXPECT_FALSE(dial->isHolding());
    run(1);
    EXPECT_EQ(dial->time(), 7);

    // A cancelled quick touch is no tap.
    press(dial->minusBtn());
    screen.touchCancel();
    EXPECT_EQ(dial->time(), 7);

    // A second area pressed while the first is held ends the first's steps.
    dial->sourceTouchDown(dial->plusBtn().get());
    run(0.2);
    dial->sourceTouchDown(dial->minusBtn().get());
    run(0.6);
    EXPECT_EQ(dial->time(), 5);
    // The first area's late release leaves the second's hold alone.
    dial->sourceTouchUp(dial->plusBtn().get());
    EXPECT_TRUE(dial->isHolding());
    dial->sourceTouchUp(dial->minusBtn().get());
    EXPECT_FALSE(dial->isHolding());
    EXPECT_EQ(dial->time(), 5);
}

TEST_F(SelectorDialTest, AFreedDialLeavesNoTimerAndATurnedDialTurnsWholeInW) {
    const auto pendingBefore = platform::RunLoop::main().pendingCount();
    dial->sourceTouchDown(dial->plusBtn().get());
    EXPECT_EQ(platform::RunLoop::main().pendingCount(), pendingBefore + 1);
    dial.reset();
    EXPECT_EQ(platform::RunLoop::main().pendingCount(), pendingBefore);

    auto turned = SelectorDial::create(platform::CGRectMake(0, 0, 200, 152));
    turned->_rotate(3);
    EXPECT_NEAR(platform::CGAffineTransformAngleDegrees(turned->transform()), 90, 1e-4);
    EXPECT_TRUE(platform::AnimationLog::shared().animated(turned.get(), "transform", "w", 0.4));
}

}  // namespace
}  // namespace snapforge
