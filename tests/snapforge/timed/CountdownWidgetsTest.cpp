#include <gtest/gtest.h>

#include "platform/Process.h"
#include "platform/ui/AnimationLog.h"
#include "platform/ui/UIScreen.h"
#include "snapforge/startup/LibraryClass.h"
#include "snapforge/timed/StopButton.h"
#include "snapforge/timed/TimerLabel.h"
#include "support/TestFiles.h"

namespace snapforge {
namespace {

double angle(const platform::UIView& view) {
    return platform::CGAffineTransformAngleDegrees(view.transform());
}

// Counts the stop presses its owner hears, as the timer engine's own stop action would.
class StopListener : public platform::Object {
public:
    StopListener() {
        setObjcClass(libraryClass("StopListener", "NSObject", [](platform::Class* cls) {
            platform::class_addMemberMethod<&StopListener::stop>(cls, selector);
        }));
    }
    void stop(platform::id) { ++stops; }

    static inline const platform::Selector<void(platform::id)> selector{"stop:"};
    int stops = 0;
};

TEST(TimerLabel, AHiddenLabelTurnsAtOnceAndAShownOneIn05Seconds) {
    platform::Process process;
    auto countdown = TimerLabel::create(platform::CGRectMake(60, 160, 200, 150));
    EXPECT_TRUE(countdown->isHidden());
    EXPECT_FLOAT_EQ(countdown->windowLevel(), 1999);
    const auto& number = *countdown->timeLabel();
    EXPECT_EQ(number.frame(), platform::CGRectMake(0, 0, 200, 150));
    EXPECT_EQ(number.font(), platform::UIFont::fontWithName("Helvetica", 140));
    EXPECT_EQ(number.textColor(), platform::UIColor::whiteColor());
    EXPECT_TRUE(number.adjustsFontSizeToFitWidth());
    countdown->setText("5");
    countdown->setTextAlignment(platform::NSTextAlignmentLeft);
    EXPECT_EQ(countdown->text(), "5");
    EXPECT_EQ(number.textAlignment(), platform::NSTextAlignmentLeft);

    // Made while the interface is turned: moved to (-15, 0), then turned about its centre.
    countdown->rotate(3);
    EXPECT_EQ(number.center(), (platform::CGPoint{85, 75}));
    EXPECT_NEAR(angle(number), 90, 1e-4);
    auto& log = platform::AnimationLog::shared();
    EXPECT_TRUE(log.recordsFor(&number).empty());

    countdown->setHidden(false);
    countdown->rotate(1);
    EXPECT_NEAR(angle(number), 0, 1e-4);
    EXPECT_TRUE(log.animated(&number, "transform", "w", 0.5));
    const platform::CGRect portraitFrame = number.frame();
    countdown->rotate(7);
    EXPECT_EQ(number.frame(), portraitFrame);
}

TEST(StopButton, ATapRunsBothActionsAndTheWholeButtonTurnsEvenWithoutItsPicture) {
    platform::Process process;
    auto stop = StopButton::create(platform::CGRectMake(84, 150, 152, 152));
    EXPECT_TRUE(stop->isHidden());
    EXPECT_FLOAT_EQ(stop->windowLevel(), 2000);
    EXPECT_EQ(stop->stopButton()->frame(), platform::CGRectMake(0, 0, 152, 152));
    EXPECT_EQ(stop->subviews().back(), stop->stopButton());

    auto listener = std::make_shared<StopListener>();
    stop->stopButton()->addTarget(listener.get(), StopListener::selector.sel,
                                  platform::UIControlEventTouchUpInside);
    EXPECT_EQ(stop->stopButton()
                  ->actionsForTarget(stop.get(), platform::UIControlEventTouchUpInside)
                  .size(),
              1u);
    stop->setHidden(false);
    platform::UIScreen::mainScreen().tap({160, 226});
    EXPECT_EQ(listener->stops, 1);
    EXPECT_TRUE(platform::Runtime::shared().unrecognizedSelectors().empty());

    stop->_rotate(4);
    EXPECT_NEAR(angle(*stop), -90, 1e-4);
    EXPECT_TRUE(platform::AnimationLog::shared().animated(stop.get(), "transform", "w", 0.4));
}

TEST(StopButton, ShowsWhiteDialWhenThePictureIsThere) {
    platform::Process process;
    testsupport::writeDeviceFile(std::string(kImageFolder) + "whiteDial.png",
                                 testsupport::pngHeader(152, 152));
    auto stop = StopButton::create(platform::CGRectMake(84, 150, 152, 152));
    auto picture = std::dynamic_pointer_cast<platform::UIImageView>(stop->subviews().front());
    ASSERT_TRUE(picture && picture->image());
    EXPECT_EQ(picture->frame(), platform::CGRectMake(0, 0, 152, 152));
}

}  // namespace
}  // namespace snapforge
