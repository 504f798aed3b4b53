#include <gtest/gtest.h>

#include "platform/Process.h"
#include "platform/ui/UIScreen.h"
#include "snapforge/camerabar/ActionButton.h"
#include "snapforge/camerabar/MessageLabel.h"
#include "snapforge/startup/LibraryClass.h"
#include "support/TestFiles.h"

namespace snapforge {
namespace {

double labelAngle(const MessageLabel& message) {
    return platform::CGAffineTransformAngleDegrees(message.msgLabel()->transform());
}

TEST(MessageLabel, APhoneMessageSitsByOrientationWithItsLabelTurnedAndKeepsItThroughRotate) {
    platform::Process process;
    auto portrait = MessageLabel::create(1);
    EXPECT_EQ(portrait->frame(), platform::CGRectMake(0, 300, 320, 20));
    EXPECT_NEAR(labelAngle(*portrait), 0, 1e-4);
    EXPECT_TRUE(portrait->isHidden());
    EXPECT_FLOAT_EQ(portrait->windowLevel(), 1999);
    EXPECT_EQ(portrait->text(), "");

    const auto& label = *portrait->msgLabel();
    EXPECT_EQ(label.frame(), platform::CGRectMake(0, 0, 320, 20));
    EXPECT_EQ(label.font(), platform::UIFont::fontWithName("Helvetica", 16));
    EXPECT_EQ(label.textColor(), platform::UIColor::whiteColor());
    EXPECT_EQ(label.textAlignment(), platform::NSTextAlignmentCenter);
    EXPECT_FALSE(label.adjustsFontSizeToFitWidth());
    EXPECT_EQ(label.shadowColor(), platform::UIColor::darkGrayColor());
    EXPECT_EQ(label.shadowOffset(), (platform::CGSize{1, 1}));

    auto landscape = MessageLabel::create(4);
    EXPECT_EQ(landscape->frame(), platform::CGRectMake(90, 210, 320, 20));
    EXPECT_NEAR(labelAngle(*landscape), -90, 1e-4);
    landscape->rotate(1);
    EXPECT_EQ(landscape->frame(), platform::CGRectMake(90, 210, 320, 20));
    EXPECT_NEAR(labelAngle(*landscape), -90, 1e-4);

    EXPECT_EQ(MessageLabel::create(3)->frame(), platform::CGRectMake(-90, 220, 320, 20));
    EXPECT_EQ(MessageLabel::create(0)->frame(), platform::CGRectMake(0, 275, 320, 20));
    landscape->setText("Timer Mode");
    EXPECT_EQ(landscape->msgLabel()->text(), "Timer Mode");
}

TEST(MessageLabel, ATabletMessageIsCentredOnTheWiderScreen) {
    platform::DeviceProfile tablet;
    tablet.screenSize = {768, 1024};
    platform::Process process(tablet);
    auto upsideDown = MessageLabel::create(2);
    EXPECT_EQ(upsideDown->frame(), platform::CGRectMake(224, 130, 320, 20));
    EXPECT_NEAR(std::abs(labelAngle(*upsideDown)), 180, 1e-4);
}

TEST(ActionButton, ShowsTheOnBackgroundWhileSelectedAndFlipsOnTouchDownOnceAsked) {
    platform::Process process;
    for (const char* name : {"actionBtnExOff.png", "actionBtnExOn.png"}) {
        testsupport::writeDeviceFile(std::string(kImageFolder) + name,
                                     testsupport::pngHeader(77, 60));
    }
    auto window = platform::UIWindow::create(platform::CGRectMake(0, 0, 320, 100));
    auto button = ActionButton::create(platform::CGRectMake(8, 7, 77, 60));
    window->addSubview(button);
    window->setHidden(false);
    EXPECT_EQ(button->currentBackgroundImage()->path(),
              std::string(kImageFolder) + "actionBtnExOff.png");

    auto& screen = platform::UIScreen::mainScreen();
    screen.tap({40, 30});
    EXPECT_FALSE(button->isSelected());

    button->setTouchEvents();
    screen.touchDown({40, 30});
    EXPECT_TRUE(button->isSelected());
    screen.touchUp({40, 30});
    EXPECT_EQ(button->currentBackgroundImage()->path(),
              std::string(kImageFolder) + "actionBtnExOn.png");
    screen.tap({40, 30});
    EXPECT_FALSE(button->isSelected());
}

}  // namespace
}  // namespace snapforge
