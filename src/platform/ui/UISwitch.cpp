#include "platform/ui/UISwitch.h"

#include "platform/ui/UITouch.h"

namespace platform {

UISwitch::UISwitch(CGRect frame) : UIControl(frame) {
    setObjcClass(registerUIKitClass("UISwitch", "UIControl"));
}

std::shared_ptr<UISwitch> UISwitch::create(CGRect frame) {
    return std::make_shared<UISwitch>(frame);
}

void UISwitch::setOn(bool on, bool) {
    on_ = on;
}

void UISwitch::touchesEnded(const UITouchSet& touches, UIEvent* event) {
    auto touch = touches.anyObject();
    const bool flips = isTracking() && touch && pointInside(touch->locationInView(this), nullptr);
    auto keepAlive = retain<UISwitch>(this);
    UIControl::touchesEnded(touches, event);
    if (flips) {
        setOn(!on_, true);
        sendActionsForControlEvents(UIControlEventValueChanged, event);
    }
}

}  // namespace platform
