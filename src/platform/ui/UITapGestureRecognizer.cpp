#include "platform/ui/UITapGestureRecognizer.h"

#include "platform/ui/UITouch.h"
#include "platform/ui/UIView.h"

namespace platform {

UITapGestureRecognizer::UITapGestureRecognizer(id target, SEL action)
    : UIGestureRecognizer(target, action) {
    setObjcClass(registerUIKitClass("UITapGestureRecognizer", "UIGestureRecognizer"));
}

std::shared_ptr<UITapGestureRecognizer> UITapGestureRecognizer::create(id target, SEL action) {
    return std::make_shared<UITapGestureRecognizer>(target, action);
}

void UITapGestureRecognizer::touchesMoved(const UITouchSet&, UIEvent*) {
    if (state() == UIGestureRecognizerStatePossible && movement() > kAllowableMovement) {
        setState(UIGestureRecognizerStateFailed);
    }
}

void UITapGestureRecognizer::touchesEnded(const UITouchSet&, UIEvent*) {
    if (state() != UIGestureRecognizerStatePossible || !touch()) {
        return;
    }
    if (movement() > kAllowableMovement) {
        setState(UIGestureRecognizerStateFailed);
    } else if (touch()->tapCount() >= tapsRequired_) {
        setState(UIGestureRecognizerStateRecognized);
    }
}

void UITapGestureRecognizer::touchesCancelled(const UITouchSet&, UIEvent*) {
    if (state() == UIGestureRecognizerStatePossible) {
        setState(UIGestureRecognizerStateFailed);
    }
}

}  // namespace platform
