#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "platform/Geometry.h"
#include "platform/runtime/Object.h"
#include "platform/runtime/Runtime.h"

namespace platform {

class UIEvent;
class UITouch;
class UITouchSet;
class UIView;

enum UIGestureRecognizerState : int {
    UIGestureRecognizerStatePossible = 0,
    UIGestureRecognizerStateBegan = 1,
    UIGestureRecognizerStateChanged = 2,
    UIGestureRecognizerStateEnded = 3,
    UIGestureRecognizerStateCancelled = 4,
    UIGestureRecognizerStateFailed = 5,
    UIGestureRecognizerStateRecognized = UIGestureRecognizerStateEnded,
};

// A gesture recogniser attached to a view (which owns it). It sees the touches that land on the
// view or its subviews before the view does, and sends its actions (through
// UIApplication::sendAction, the recogniser as sender; targets held weakly) when it begins,
// changes, ends (is recognised) or is cancelled. Before it leaves the possible state its view's
// gestureRecognizerShouldBegin is asked; a no makes it fail. Recognisers never cancel the
// view's touches here: a touch still ends with touchesEnded. Several recognisers may recognise
// one touch. After a touch ends the recogniser returns to the possible state.
class UIGestureRecognizer : public Object {
public:
    UIGestureRecognizer(id target, SEL action);

    void addTarget(id target, SEL action);
    // A null target matches every target, a null action every action.
    void removeTarget(id target, SEL action);

    UIGestureRecognizerState state() const { return state_; }
    UIView* view() const { return view_; }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    bool cancelsTouchesInView() const { return cancelsTouchesInView_; }
    void setCancelsTouchesInView(bool cancels) { cancelsTouchesInView_ = cancels; }

    // Where the touch is (the one being recognised); (0, 0) with no touch.
    CGPoint locationInView(const UIView* view) const;
    std::size_t numberOfTouches() const { return touch_ ? 1 : 0; }

    // Touch delivery from the screen.
    virtual void touchesBegan(const UITouchSet& touches, UIEvent* event);
    virtual void touchesMoved(const UITouchSet& touches, UIEvent* event);
    virtual void touchesEnded(const UITouchSet& touches, UIEvent* event);
    virtual void touchesCancelled(const UITouchSet& touches, UIEvent* event);
    // Back to the possible state, forgetting the touch.
    virtual void reset();

protected:
    // Moves to a new state, asking the view first when leaving the possible state, and sends
    // the actions for began, changed, ended and cancelled.
    void setState(UIGestureRecognizerState state);
    const std::shared_ptr<UITouch>& touch() const { return touch_; }
    // How far the touch has moved from where it began, in screen points.
    CGFloat movement() const;

private:
    friend class UIView;
    struct Target {
        std::weak_ptr<Object> object;
        const Object* address;
        SEL action;
    };
    void sendActions();

    UIGestureRecognizerState state_ = UIGestureRecognizerStatePossible;
    UIView* view_ = nullptr;
    bool enabled_ = true;
    bool cancelsTouchesInView_ = true;
    std::vector<Target> targets_;
    std::shared_ptr<UITouch> touch_;
    CGPoint start_;
};

}  // namespace platform
