// Everything the library added turns with the interface, after the host's own rotation.
#include <gtest/gtest.h>

#include <vector>

#include "platform/foundation/RunLoop.h"
#include "platform/ui/AnimationLog.h"
#include "snapforge/CameraStory.h"
#include "snapforge/camerabar/ActionButton.h"
#include "snapforge/camerabar/CameraBarEx.h"
#include "snapforge/focus/FocusView.h"
#include "snapforge/focus/WhiteBalanceButton.h"
#include "snapforge/geometry/Helper.h"
#include "snapforge/timed/StopButton.h"
#include "snapforge/timed/TimerLabel.h"

namespace snapforge::testing {
namespace {

double angle(const platform::UIView& view) {
    return platform::CGAffineTransformAngleDegrees(view.transform());
}

class RotationStory : public CameraStory {
protected:
    RotationStory() { launch(); }

    static const platform::AnimationLog& animations() { return platform::AnimationLog::shared(); }

    // Self-timer of 5 s, shutter pressed: the countdown and the stop button are up.
    void startSelfTimer() {
        toggleBar();
        touch(s.cameraBar->timerModeBtn);
        ASSERT_TRUE(app.pressShutter());
        ASSERT_TRUE(s.stopBtn);
        ASSERT_TRUE(s.cameraBar->timerLabel);
    }
};

// On this 480-point screen the host's bar starts at y 384: in portrait the button sits just
// above it instead of half under it.
TEST_F(RotationStory, TheWhiteBalanceButtonMovesUpInLandscapeAndBackInPortrait) {
    const auto& button = *s.wbLockButton;
    EXPECT_FLOAT_EQ(button.frame().origin.y, 353);
    app.rotate(3);
    // The objects turn once the host's own handling has returned.
    EXPECT_EQ(s.currentOrientation, 3);
    EXPECT_FLOAT_EQ(button.frame().origin.y, 353);
    run(0);
    EXPECT_FLOAT_EQ(button.frame().origin.y, 260);
    EXPECT_FLOAT_EQ(button.frame().origin.x, 10);
    EXPECT_TRUE(animations().animated(&button, "frame", "w", 0.5));
    EXPECT_DOUBLE_EQ(angle(*s.focusView->lockImageView()), 90);
    app.rotate(2);
    run(0);
    EXPECT_FLOAT_EQ(button.frame().origin.y, 353);
    app.rotate(1);
    run(0);
    EXPECT_FLOAT_EQ(button.frame().origin.y, 353);
    EXPECT_DOUBLE_EQ(angle(*s.focusView->lockImageView()), 0);
}

TEST_F(RotationStory, ACountdownTurnsItsNumberAndTheStopButtonTurnsWhole) {
    startSelfTimer();
    run(1.5);
    const auto& label = *s.cameraBar->timerLabel;
    app.rotate(4);
    run(0);
    // The bar was hidden by the shutter: it stays unturned while its countdown turns.
    EXPECT_EQ(s.cameraBar->currentOrientation, 1);
    EXPECT_DOUBLE_EQ(angle(*label.timeLabel()), -90);
    // Its box of 200 by 150 now stands at (-15, -15), turned about its centre.
    EXPECT_EQ(label.timeLabel()->center(), (platform::CGPoint{85, 60}));
    EXPECT_TRUE(animations().animated(label.timeLabel().get(), "transform", "w", 0.5));
    EXPECT_DOUBLE_EQ(angle(*s.stopBtn), -90);
    EXPECT_TRUE(animations().animated(s.stopBtn.get(), "transform", "w", 0.4));
}

TEST_F(RotationStory, ACountStartedInLandscapeIsTurnedBeforeItFirstShows) {
    toggleBar();
    touch(s.cameraBar->timerModeBtn);
    toggleBar();
    // Turned while the bar is hidden: the bar itself does not hear of it.
    app.rotate(3);
    run(1);
    ASSERT_EQ(s.cameraBar->currentOrientation, 1);
    ASSERT_TRUE(app.pressShutter());
    const auto& label = *s.cameraBar->timerLabel;
    EXPECT_FALSE(label.isHidden());
    EXPECT_DOUBLE_EQ(angle(*label.timeLabel()), 90);
    EXPECT_EQ(label.timeLabel()->center(), (platform::CGPoint{85, 75}));
    EXPECT_TRUE(animations().recordsFor(label.timeLabel().get(), "transform").empty());
    // So is the stop button that comes with it.
    ASSERT_TRUE(s.stopBtn);
    EXPECT_DOUBLE_EQ(angle(*s.stopBtn), 90);
    EXPECT_TRUE(animations().recordsFor(s.stopBtn.get(), "transform").empty());
}

TEST_F(RotationStory, TwoRotationsQueuedTogetherTurnEverythingTwiceToTheLater) {
    startSelfTimer();
    run(1.5);
    const auto& loop = platform::RunLoop::main();
    const auto pending = loop.pendingCount();
    app.rotate(3);
    app.rotate(4);
    EXPECT_EQ(loop.pendingCount(), pending + 2);
    const auto turnsBefore = animations().recordsFor(s.stopBtn.get(), "transform").size();
    run(0);
    EXPECT_EQ(loop.pendingCount(), pending);
    // Each run turns to orientation 4; the stop button never shows orientation 3.
    const auto turns = animations().recordsFor(s.stopBtn.get(), "transform");
    ASSERT_GT(turns.size(), turnsBefore);
    for (std::size_t i = turnsBefore; i < turns.size(); ++i) {
        EXPECT_EQ(std::get<platform::CGAffineTransform>(turns[i].to), Helper::getTransformation(4));
    }
    EXPECT_DOUBLE_EQ(angle(*s.stopBtn), -90);
    EXPECT_FLOAT_EQ(s.wbLockButton->frame().origin.y, 260);
    EXPECT_DOUBLE_EQ(angle(*s.cameraBar->timerLabel->timeLabel()), -90);
}

TEST_F(RotationStory, AnOpenBarTurnsItsIcons) {
    toggleBar();
    app.rotate(3);
    run(1);
    EXPECT_EQ(s.cameraBar->currentOrientation, 3);
    const auto icon = s.cameraBar->normalModeBtn->viewWithTag(11);
    ASSERT_TRUE(icon);
    EXPECT_DOUBLE_EQ(angle(*icon), 90);
}

}  // namespace
}  // namespace snapforge::testing
