#pragma once

#include <memory>
#include <vector>

#include "platform/Geometry.h"
#include "platform/runtime/Object.h"

namespace platform {

class UITouch;
class UIView;
class UIWindow;
class UIWindowList;

// The device's screen: its bounds (from the device profile), the windows on it, hit testing
// and the finger. Touches are injected here, one finger at a time, in screen points:
//
// - touchDown hit-tests the visible windows from the highest level down and delivers
//   touchesBegan to the deepest touchable view under the finger (a touch no view takes goes
//   nowhere); gesture recognisers of that view and its ancestors see the touch first;
// - touchMove/touchUp/touchCancel continue the touch with the same view. Once the finger has
//   moved more than 10 points, the innermost scroll view among the hit view and its ancestors
//   that can scroll (and whose gestureRecognizerShouldBegin agrees for its pan) takes the touch
//   over: the hit view gets touchesCancelled and further moves scroll the content;
// - a touch down within 0.35 s of the last lift-off and within 20 points of it counts as a
//   repeated tap (tapCount).
class UIScreen : public Object {
public:
    static UIScreen& mainScreen();

    UIScreen();
    ~UIScreen() override;

    CGRect bounds() const;
    CGFloat scale() const { return 2; }

    // Live windows in order of creation, and the visible ones bottom to top.
    std::vector<std::shared_ptr<UIWindow>> windows() const;
    std::vector<std::shared_ptr<UIWindow>> visibleWindows() const;
    std::shared_ptr<UIWindow> keyWindow() const;

    // The view a touch at a screen point would go to, or null.
    std::shared_ptr<UIView> hitTest(CGPoint screenPoint) const;

    void touchDown(CGPoint screenPoint);
    void touchMove(CGPoint screenPoint);
    void touchUp(CGPoint screenPoint);
    void touchCancel();
    // A quick touch down and up at one point.
    void tap(CGPoint screenPoint);

    bool isTouching() const;
    std::shared_ptr<UITouch> currentTouch() const;

private:
    friend class UIWindow;
    struct ActiveTouch;
    void finishTouch();

    std::shared_ptr<UIWindowList> windows_;
    std::unique_ptr<ActiveTouch> active_;
    double lastTapTime_ = -1;
    CGPoint lastTapPoint_;
    int lastTapCount_ = 0;
};

}  // namespace platform
