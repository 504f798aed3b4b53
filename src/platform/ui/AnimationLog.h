#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/Geometry.h"
#include "platform/ui/UIColor.h"

namespace platform {

class UIView;

using UIViewAnimationOptions = unsigned;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionLayoutSubviews = 1 << 0;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionAllowUserInteraction = 1 << 1;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionBeginFromCurrentState = 1 << 2;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionCurveEaseInOut = 0 << 16;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionCurveEaseIn = 1 << 16;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionCurveEaseOut = 2 << 16;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionCurveLinear = 3 << 16;

// The curves of the named-animation API (setAnimationCurve).
enum UIViewAnimationCurve : int {
    UIViewAnimationCurveEaseInOut = 0,
    UIViewAnimationCurveEaseIn = 1,
    UIViewAnimationCurveEaseOut = 2,
    UIViewAnimationCurveLinear = 3,
};

// An animatable property's value: alpha (CGFloat), center (CGPoint), frame and bounds
// (CGRect), transform, background colour.
using AnimatedValue = std::variant<CGFloat, CGPoint, CGRect, CGAffineTransform, UIColor>;

// The value between from and to at progress t (0..1, already shaped by the curve).
AnimatedValue interpolate(const AnimatedValue& from, const AnimatedValue& to, double t);

// One property change made inside an animation. The model value took `to` at once; on screen
// the property runs from `from` to `to` between start + delay and start + delay + duration.
struct AnimationRecord {
    std::string name;  // the named animation's name; empty for block animations
    double duration = 0;
    double delay = 0;
    UIViewAnimationOptions options = 0;  // for named animations: the curve bits only
    std::weak_ptr<UIView> view;
    const UIView* viewAddress = nullptr;
    std::string property;  // "frame", "bounds", "center", "alpha", "transform", "backgroundColor"
    AnimatedValue from;
    AnimatedValue to;
    double startTime = 0;  // virtual time of the commit

    double beginTime() const { return startTime + delay; }
    double endTime() const { return startTime + delay + duration; }
    bool isFor(const UIView* view) const;
    // The on-screen value at a virtual time (from before the start, to after the end).
    AnimatedValue valueAt(double time) const;
};

// A layer transition added to a view (a cross-fade of its content, for instance).
struct TransitionRecord {
    std::weak_ptr<UIView> view;
    const UIView* viewAddress = nullptr;
    std::string type;
    double duration = 0;
    std::string timingFunction;
    double startTime = 0;

    double endTime() const { return startTime + duration; }
};

// The animations of the process, in the order they were committed, so that tests can ask what
// moved inside which animation and a renderer can show properties between their end values.
// Every animation is kept while it runs; of those that have ended only the latest (at least
// kKeptEnded) are, so that a long run does not fill memory.
class AnimationLog {
public:
    static constexpr std::size_t kKeptEnded = 500;

    static AnimationLog& shared();

    const std::vector<AnimationRecord>& records() const { return records_; }
    const std::vector<TransitionRecord>& transitions() const { return transitions_; }

    // The records of one view, optionally of one property only, oldest first.
    std::vector<AnimationRecord> recordsFor(const UIView* view,
                                            std::string_view property = {}) const;
    // The latest record of a view's property, or null.
    const AnimationRecord* latest(const UIView* view, std::string_view property) const;
    // Did the view's property change inside an animation of that name (empty: a block
    // animation) and duration?
    bool animated(const UIView* view, std::string_view property, std::string_view name,
                  double duration) const;
    // The value a renderer shows for the property at a virtual time: that of the latest record
    // that has begun (or is waiting out its delay) and not yet ended, else nothing (the model
    // value holds).
    std::optional<AnimatedValue> presentationValue(const UIView* view, std::string_view property,
                                                   double time) const;

    void add(AnimationRecord record);
    void addTransition(TransitionRecord record);
    void clear();
    // Forgets the records and transitions that ended before a virtual time (long runs).
    void discardEndedBefore(double time);

private:
    std::vector<AnimationRecord> records_;
    std::vector<TransitionRecord> transitions_;
    // Whether the records started in the order they are kept, as on one virtual clock, and the
    // longest delay and duration of any since the log was cleared: together they let a search
    // for a running animation stop at the first record that must have ended.
    bool startsInOrder_ = true;
    double longest_ = 0;
};

}  // namespace platform
