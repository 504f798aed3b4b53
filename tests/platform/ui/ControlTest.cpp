#include <gtest/gtest.h>

#include "UITestSupport.h"
#include "platform/Process.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UISwitch.h"
#include "platform/ui/UIWindow.h"

namespace platform {
namespace {

using testing::ActionTarget;
using testing::fireSel;
using testing::otherSel;

// A window filling the screen with a button at (10, 10, 100, 40).
struct ButtonScene {
    std::shared_ptr<UIWindow> window = UIWindow::create(UIScreen::mainScreen().bounds());
    std::shared_ptr<UIButton> button = UIButton::create(CGRectMake(10, 10, 100, 40));
    std::shared_ptr<ActionTarget> target = ActionTarget::create();
    ButtonScene() {
        window->addSubview(button);
        window->setHidden(false);
    }
};

TEST(UIControl, IdenticalRegistrationsAreAddedOnce) {
    Process process;
    ButtonScene scene;
    auto& button = *scene.button;
    id target = scene.target.get();
    button.addTarget(target, fireSel(), UIControlEventTouchUpInside);
    button.addTarget(target, fireSel(), UIControlEventTouchUpInside);
    button.addTarget(target, fireSel(), UIControlEventTouchDown | UIControlEventTouchUpInside);
    button.addTarget(target, otherSel(), UIControlEventTouchUpInside);
    EXPECT_EQ(button.registrationCount(), 3u);
    EXPECT_EQ(button.actionsForTarget(target, UIControlEventTouchUpInside),
              (std::vector<SEL>{fireSel(), otherSel()}));

    button.sendActionsForControlEvents(UIControlEventTouchUpInside);
    EXPECT_EQ(scene.target->fired, std::vector<id>{&button});
    EXPECT_EQ(scene.target->others.size(), 1u);

    button.removeTarget(target, otherSel(), UIControlEventAllEvents);
    button.removeTarget(target, fireSel(), UIControlEventTouchDown);
    EXPECT_EQ(button.allControlEvents(), UIControlEventTouchUpInside);
}

TEST(UIControl, TrackingSendsDownThenUpInsideOrOutside) {
    Process process;
    ButtonScene scene;
    auto& button = *scene.button;
    auto target = scene.target;
    auto down = ActionTarget::create();
    button.addTarget(down.get(), fireSel(), UIControlEventTouchDown);
    button.addTarget(target.get(), fireSel(), UIControlEventTouchUpInside);
    button.addTarget(target.get(), otherSel(),
                     UIControlEventTouchUpOutside | UIControlEventTouchCancel);

    auto& screen = UIScreen::mainScreen();
    screen.touchDown({20, 20});
    EXPECT_EQ(down->fired.size(), 1u);
    EXPECT_TRUE(button.isHighlighted());
    EXPECT_EQ(button.state(), UIControlStateHighlighted);
    screen.touchUp({25, 25});
    EXPECT_EQ(target->fired.size(), 1u);
    EXPECT_FALSE(button.isHighlighted());

    screen.touchDown({20, 20});
    screen.touchMove({200, 200});
    EXPECT_FALSE(button.isHighlighted());
    screen.touchUp({200, 200});
    EXPECT_EQ(target->fired.size(), 1u);
    EXPECT_EQ(target->others.size(), 1u);

    screen.touchDown({20, 20});
    screen.touchCancel();
    EXPECT_EQ(target->others.size(), 2u);
    EXPECT_FALSE(button.isTracking());
}

TEST(UIControl, DisabledControlsTrackNothingAndFreedTargetsAreSkipped) {
    Process process;
    ButtonScene scene;
    auto& button = *scene.button;
    button.addTarget(scene.target.get(), fireSel(), UIControlEventTouchUpInside);
    button.setEnabled(false);
    UIScreen::mainScreen().tap({20, 20});
    EXPECT_TRUE(scene.target->fired.empty());

    button.setEnabled(true);
    scene.target.reset();
    UIScreen::mainScreen().tap({20, 20});
    EXPECT_EQ(button.registrationCount(), 0u);
}

int panelActions = 0;

TEST(UIControl, ANullTargetFindsTheActionUpTheResponderChain) {
    Process process;
    ButtonScene scene;
    Class* cls = Runtime::shared().registerClass("TestPanel", "UIView");
    class_addMethod(
        cls, Selector<void()>("panelAction"), +[](id, SEL) { ++panelActions; });
    auto panel = UIView::create(CGRectMake(0, 0, 200, 200));
    panel->setObjcClass(cls);
    panel->addSubview(scene.button);
    scene.window->addSubview(panel);
    scene.button->addTarget(nullptr, sel_registerName("panelAction"), UIControlEventTouchUpInside);

    panelActions = 0;
    UIScreen::mainScreen().tap({20, 20});
    EXPECT_EQ(panelActions, 1);
    EXPECT_FALSE(UIApplication::sharedApplication().sendAction(sel_registerName("nobodyHasIt"),
                                                               nullptr, scene.button.get()));
}

TEST(UIButton, StateValuesFallBackToNormal) {
    Process process;
    auto button = UIButton::create(CGRectMake(0, 0, 10, 10));
    button->setTitle("SET", UIControlStateNormal);
    button->setTitle("ON", UIControlStateSelected);
    EXPECT_EQ(button->currentTitle(), "SET");
    button->setSelected(true);
    EXPECT_EQ(button->currentTitle(), "ON");
    button->setHighlighted(true);  // selected + highlighted has no title of its own
    EXPECT_EQ(button->currentTitle(), "SET");
    EXPECT_EQ(button->currentBackgroundImage(), nullptr);
    EXPECT_TRUE(button->isKindOfClass("UIControl"));
    EXPECT_TRUE(button->isMemberOfClass("UIButton"));
}

TEST(UISwitch, ATapFlipsItAndSendsValueChanged) {
    Process process;
    auto window = UIWindow::create(UIScreen::mainScreen().bounds());
    window->setHidden(false);
    auto toggle = UISwitch::create(CGRectMake(0, 0, 79, 27));
    window->addSubview(toggle);
    auto target = ActionTarget::create();
    toggle->addTarget(target.get(), fireSel(), UIControlEventValueChanged);

    UIScreen::mainScreen().tap({10, 10});
    EXPECT_TRUE(toggle->isOn());
    EXPECT_EQ(target->fired.size(), 1u);
    toggle->setOn(false, true);
    EXPECT_EQ(target->fired.size(), 1u);
}

}  // namespace
}  // namespace platform
