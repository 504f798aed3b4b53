#include "platform/ui/UIGestureRecognizer.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/UIApplication.h"
#include "platform/ui/UITouch.h"
#include "platform/ui/UIView.h"

namespace platform {

UIGestureRecognizer::UIGestureRecognizer(id target, SEL action) {
    setObjcClass(registerUIKitClass("UIGestureRecognizer", "NSObject"));
    addTarget(target, action);
}

void UIGestureRecognizer::addTarget(id target, SEL action) {
    std::weak_ptr<Object> weak = weakRef<Object>(target);
    if (target == nullptr || action == nullptr || weak.expired()) {
        return;
    }
    const bool known = std::any_of(targets_.begin(), targets_.end(), [&](const Target& t) {
        return t.address == target && t.action == action && !t.object.expired();
    });
    if (!known) {
        targets_.push_back({std::move(weak), target, action});
    }
}

void UIGestureRecognizer::removeTarget(id target, SEL action) {
    std::erase_if(targets_, [&](const Target& t) {
        return t.object.expired() || ((target == nullptr || t.address == target) &&
                                      (action == nullptr || t.action == action));
    });
}

CGPoint UIGestureRecognizer::locationInView(const UIView* view) const {
    return touch_ ? touch_->locationInView(view) : CGPoint{};
}

CGFloat UIGestureRecognizer::movement() const {
    if (!touch_) {
        return 0;
    }
    const CGPoint now = touch_->locationOnScreen();
    return std::hypot(now.x - start_.x, now.y - start_.y);
}

void UIGestureRecognizer::touchesBegan(const UITouchSet& touches, UIEvent*) {
    touch_ = touches.anyObject();
    if (touch_) {
        start_ = touch_->locationOnScreen();
    }
}

void UIGestureRecognizer::touchesMoved(const UITouchSet&, UIEvent*) {}
void UIGestureRecognizer::touchesEnded(const UITouchSet&, UIEvent*) {}
void UIGestureRecognizer::touchesCancelled(const UITouchSet&, UIEvent*) {}

void UIGestureRecognizer::reset() {
    state_ = UIGestureRecognizerStatePossible;
    touch_.reset();
}

void UIGestureRecognizer::setState(UIGestureRecognizerState state) {
    auto keepAlive = retain<UIGestureRecognizer>(this);
    const bool leavingPossible =
        state_ == UIGestureRecognizerStatePossible &&
        (state == UIGestureRecognizerStateBegan || state == UIGestureRecognizerStateEnded);
    if (leavingPossible && view_ != nullptr && !view_->gestureRecognizerShouldBegin(this)) {
        state_ = UIGestureRecognizerStateFailed;
        return;
    }
    state_ = state;
    if (state != UIGestureRecognizerStatePossible && state != UIGestureRecognizerStateFailed) {
        sendActions();
    }
}

void UIGestureRecognizer::sendActions() {
    const auto targets = targets_;
    for (const auto& t : targets) {
        if (auto object = t.object.lock()) {
            UIApplication::sharedApplication().sendAction(t.action, object.get(), this);
        }
    }
}

}  // namespace platform
