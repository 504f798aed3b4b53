#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "platform/Geometry.h"
#include "platform/runtime/Object.h"

namespace platform {

class UIView;
class UIWindow;

enum UITouchPhase : int {
    UITouchPhaseBegan = 0,
    UITouchPhaseMoved = 1,
    UITouchPhaseStationary = 2,
    UITouchPhaseEnded = 3,
    UITouchPhaseCancelled = 4,
};

// One finger on the screen, from touch-down to lift-off. The screen updates it as the finger
// moves; locations are kept in screen coordinates and converted on request.
class UITouch : public Object {
public:
    // The touch's location in a view's coordinates; with no view, in its window's coordinates.
    CGPoint locationInView(const UIView* view) const;
    CGPoint previousLocationInView(const UIView* view) const;

    int tapCount() const { return tapCount_; }
    UITouchPhase phase() const { return phase_; }
    double timestamp() const { return timestamp_; }
    // The view the touch was first delivered to (the hit view) and its window; null when gone.
    std::shared_ptr<UIView> view() const { return view_.lock(); }
    std::shared_ptr<UIWindow> window() const { return window_.lock(); }

    CGPoint locationOnScreen() const { return location_; }

    UITouch(CGPoint screenLocation, int tapCount, double timestamp);

private:
    friend class UIScreen;
    void moveTo(CGPoint screenLocation, UITouchPhase phase, double timestamp);
    void setView(const std::shared_ptr<UIView>& view, const std::shared_ptr<UIWindow>& window);

    CGPoint location_;
    CGPoint previous_;
    int tapCount_;
    UITouchPhase phase_ = UITouchPhaseBegan;
    double timestamp_;
    std::weak_ptr<UIView> view_;
    std::weak_ptr<UIWindow> window_;
};

// The set of touches handed to the touch methods.
class UITouchSet {
public:
    UITouchSet() = default;
    explicit UITouchSet(std::vector<std::shared_ptr<UITouch>> touches)
        : touches_(std::move(touches)) {}

    // Some touch of the set, or null for an empty set.
    std::shared_ptr<UITouch> anyObject() const {
        return touches_.empty() ? nullptr : touches_.front();
    }
    std::size_t count() const { return touches_.size(); }
    bool containsObject(const UITouch* touch) const;

    auto begin() const { return touches_.begin(); }
    auto end() const { return touches_.end(); }

private:
    std::vector<std::shared_ptr<UITouch>> touches_;
};

// A touch event: every touch on the screen at the moment.
class UIEvent : public Object {
public:
    explicit UIEvent(UITouchSet touches, double timestamp)
        : touches_(std::move(touches)), timestamp_(timestamp) {}

    const UITouchSet& allTouches() const { return touches_; }
    double timestamp() const { return timestamp_; }

private:
    UITouchSet touches_;
    double timestamp_;
};

}  // namespace platform
