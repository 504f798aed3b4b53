#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Geometry.h"
#include "platform/runtime/Object.h"
#include "platform/ui/AnimationLog.h"
#include "platform/ui/UIColor.h"

namespace platform {

class Class;
class UIEvent;
class UIGestureRecognizer;
class UITouchSet;
class UIWindow;

// Registers a UI toolkit class with the runtime (its superclasses first) and returns it.
Class* registerUIKitClass(std::string_view name, std::string_view superclassName);

// A view: a rectangle in its superview, with subviews drawn in order (the last on top).
//
// Geometry is kept as UIKit keeps it: centre and bounds in the superview, plus a transform about
// the centre. `frame` is the box around the transformed bounds; with a non-identity transform,
// setting it keeps the transform and sizes the bounds so that their transformed box has the
// frame's size (when the transform allows). Conversions between views and hit testing honour
// bounds origins (a scroll view's content offset) and transforms.
//
// Each class sets its runtime class in its constructor ("UIView" here); subclasses of the host
// and of the library set their own in theirs, the most derived class winning.
class UIView : public Object {
public:
    explicit UIView(CGRect frame = CGRectZero);
    ~UIView() override;

    static std::shared_ptr<UIView> create(CGRect frame = CGRectZero);

    // Geometry.
    CGRect frame() const;
    void setFrame(CGRect frame);
    CGRect bounds() const { return bounds_; }
    virtual void setBounds(CGRect bounds);
    CGPoint center() const { return center_; }
    void setCenter(CGPoint center);
    CGAffineTransform transform() const { return transform_; }
    void setTransform(const CGAffineTransform& transform);

    // Appearance.
    CGFloat alpha() const { return alpha_; }
    void setAlpha(CGFloat alpha);
    bool isHidden() const { return hidden_; }
    virtual void setHidden(bool hidden);
    std::optional<UIColor> backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(std::optional<UIColor> color);
    bool clipsToBounds() const { return clipsToBounds_; }
    void setClipsToBounds(bool clips) { clipsToBounds_ = clips; }
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    bool isUserInteractionEnabled() const { return userInteractionEnabled_; }
    void setUserInteractionEnabled(bool enabled) { userInteractionEnabled_ = enabled; }

    // The view tree. A superview owns its subviews; the back link does not own.
    UIView* superview() const { return superview_; }
    const std::vector<std::shared_ptr<UIView>>& subviews() const { return subviews_; }
    // The window at the root of the view's tree, or null.
    UIWindow* window() const;
    // Moves the view from any old superview to the top of this one. Null, this view itself or
    // one of its ancestors is ignored.
    void addSubview(const std::shared_ptr<UIView>& view);
    void insertSubview(const std::shared_ptr<UIView>& view, std::size_t index);
    void removeFromSuperview();
    void bringSubviewToFront(const UIView* view);
    void sendSubviewToBack(const UIView* view);
    bool isDescendantOfView(const UIView* view) const;
    // This view if it has the tag, else the first match depth-first among the subviews.
    std::shared_ptr<UIView> viewWithTag(int tag);

    // Layout runs only when asked for: layoutIfNeeded runs layoutSubviews once after
    // setNeedsLayout. Nothing schedules a layout by itself.
    virtual void layoutSubviews() {}
    void setNeedsLayout() { needsLayout_ = true; }
    void layoutIfNeeded();

    // Coordinates. A null view means the window (the root of this view's tree).
    CGPoint convertPointToView(CGPoint point, const UIView* view) const;
    CGPoint convertPointFromView(CGPoint point, const UIView* view) const;
    CGRect convertRectToView(CGRect rect, const UIView* view) const;
    CGRect convertRectFromView(CGRect rect, const UIView* view) const;
    // Screen coordinates (a window's frame is in screen coordinates).
    CGPoint convertPointToScreen(CGPoint point) const;
    CGPoint convertPointFromScreen(CGPoint point) const;
    // Between a point in the superview and one in this view.
    CGPoint convertPointFromSuperview(CGPoint point) const;
    CGPoint convertPointToSuperview(CGPoint point) const;

    // Hit testing: the deepest visible, touchable view under a point given in this view's
    // coordinates (the last subview on top), or null. Hidden views, views with alpha below 0.01
    // and views that take no touches are skipped with their subviews.
    virtual std::shared_ptr<UIView> hitTest(CGPoint point, UIEvent* event);
    virtual bool pointInside(CGPoint point, UIEvent* event) const;

    // Touches. A view that does not handle them passes them on to its superview (its next
    // responder), so an ancestor hears touches that land on its overlays.
    virtual void touchesBegan(const UITouchSet& touches, UIEvent* event);
    virtual void touchesMoved(const UITouchSet& touches, UIEvent* event);
    virtual void touchesEnded(const UITouchSet& touches, UIEvent* event);
    virtual void touchesCancelled(const UITouchSet& touches, UIEvent* event);

    // Gesture recognisers, owned by the view; they see the touches of the view and its subviews.
    const std::vector<std::shared_ptr<UIGestureRecognizer>>& gestureRecognizers() const {
        return gestureRecognizers_;
    }
    void addGestureRecognizer(const std::shared_ptr<UIGestureRecognizer>& recognizer);
    void removeGestureRecognizer(const UIGestureRecognizer* recognizer);
    // Asked before a recogniser attached to this view (or a scroll view's own pan) leaves its
    // possible state; false makes it fail.
    virtual bool gestureRecognizerShouldBegin(UIGestureRecognizer* recognizer);

    // Animations. Inside beginAnimations/commitAnimations or an animate block, changes of
    // frame, bounds, center, alpha, transform and background colour take their model value at
    // once and are recorded in the AnimationLog.
    static void beginAnimations(std::string name, void* context = nullptr);
    static void commitAnimations();
    // These act on the innermost open named animation; outside one they do nothing.
    static void setAnimationDuration(double duration);
    static void setAnimationDelay(double delay);
    static void setAnimationCurve(UIViewAnimationCurve curve);
    static void setAnimationBeginsFromCurrentState(bool fromCurrentState);
    // While disabled, changes inside animations are not animated (not recorded) and a block's
    // completion runs at the next turn of the run loop.
    static void setAnimationsEnabled(bool enabled);
    static bool areAnimationsEnabled();
    // Runs `animations` now; the completion (if any) runs on the main run loop after
    // delay + duration, with finished true (also for a zero duration: never synchronously).
    static void animate(double duration, double delay, UIViewAnimationOptions options,
                        const std::function<void()>& animations,
                        std::function<void(bool finished)> completion = nullptr);
    static void animate(double duration, const std::function<void()>& animations,
                        std::function<void(bool finished)> completion = nullptr);

private:
    // From the coordinates of an ancestor of this view (null: the screen) to this view's.
    CGPoint convertPointFromAncestor(CGPoint point, const UIView* ancestor) const;
    void noteChange(const char* property, AnimatedValue from, AnimatedValue to);
    void detachSubview(const UIView* view);
    std::vector<std::shared_ptr<UIView>>::iterator findSubview(const UIView* view);

    CGPoint center_;
    CGRect bounds_;
    CGAffineTransform transform_;
    CGFloat alpha_ = 1;
    bool hidden_ = false;
    std::optional<UIColor> backgroundColor_;
    bool clipsToBounds_ = false;
    int tag_ = 0;
    bool userInteractionEnabled_ = true;
    bool needsLayout_ = false;
    UIView* superview_ = nullptr;
    std::vector<std::shared_ptr<UIView>> subviews_;
    std::vector<std::shared_ptr<UIGestureRecognizer>> gestureRecognizers_;
};

}  // namespace platform
