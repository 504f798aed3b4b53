#include "platform/ui/UILongPressGestureRecognizer.h"

#include "platform/ui/UITouch.h"
#include "platform/ui/UIView.h"

namespace platform {

UILongPressGestureRecognizer::UILongPressGestureRecognizer(id target, SEL action)
    : UIGestureRecognizer(target, action) {
    setObjcClass(registerUIKitClass("UILongPressGestureRecognizer", "UIGestureRecognizer"));
}

UILongPressGestureRecognizer::~UILongPressGestureRecognizer() {
    stopTimer();
}

std::shared_ptr<UILongPressGestureRecognizer> UILongPressGestureRecognizer::create(id target,
                                                                                   SEL action) {
    return std::make_shared<UILongPressGestureRecognizer>(target, action);
}

void UILongPressGestureRecognizer::stopTimer() {
    if (timer_) {
        timer_->invalidate();
        timer_.reset();
    }
}

void UILongPressGestureRecognizer::touchesBegan(const UITouchSet& touches, UIEvent* event) {
    UIGestureRecognizer::touchesBegan(touches, event);
    stopTimer();
    // The timer must not keep the recogniser alive: it holds it weakly.
    std::weak_ptr<UILongPressGestureRecognizer> weak = retain<UILongPressGestureRecognizer>(this);
    timer_ = NSTimer::scheduledTimer(minimumPressDuration_, false, [weak](NSTimer&) {
        auto self = weak.lock();
        if (self && self->state() == UIGestureRecognizerStatePossible && self->touch()) {
            self->timer_.reset();
            self->setState(UIGestureRecognizerStateBegan);
        }
    });
}

void UILongPressGestureRecognizer::touchesMoved(const UITouchSet&, UIEvent*) {
    switch (state()) {
        case UIGestureRecognizerStatePossible:
            if (movement() > allowableMovement_) {
                stopTimer();
                setState(UIGestureRecognizerStateFailed);
            }
            break;
        case UIGestureRecognizerStateBegan:
        case UIGestureRecognizerStateChanged:
            setState(UIGestureRecognizerStateChanged);
            break;
        default:
            break;
    }
}

void UILongPressGestureRecognizer::touchesEnded(const UITouchSet&, UIEvent*) {
    stopTimer();
    if (state() == UIGestureRecognizerStateBegan || state() == UIGestureRecognizerStateChanged) {
        setState(UIGestureRecognizerStateEnded);
    } else if (state() == UIGestureRecognizerStatePossible) {
        setState(UIGestureRecognizerStateFailed);
    }
}

void UILongPressGestureRecognizer::touchesCancelled(const UITouchSet&, UIEvent*) {
    stopTimer();
    if (state() == UIGestureRecognizerStateBegan || state() == UIGestureRecognizerStateChanged) {
        setState(UIGestureRecognizerStateCancelled);
    } else if (state() == UIGestureRecognizerStatePossible) {
        setState(UIGestureRecognizerStateFailed);
    }
}

void UILongPressGestureRecognizer::reset() {
    stopTimer();
    UIGestureRecognizer::reset();
}

}  // namespace platform
