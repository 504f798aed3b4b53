#pragma once

#include <memory>
#include <vector>

#include "platform/runtime/Runtime.h"
#include "platform/ui/UIView.h"

namespace platform {

using UIControlEvents = unsigned;
inline constexpr UIControlEvents UIControlEventTouchDown = 1 << 0;
inline constexpr UIControlEvents UIControlEventTouchDownRepeat = 1 << 1;
inline constexpr UIControlEvents UIControlEventTouchDragInside = 1 << 2;
inline constexpr UIControlEvents UIControlEventTouchDragOutside = 1 << 3;
inline constexpr UIControlEvents UIControlEventTouchDragEnter = 1 << 4;
inline constexpr UIControlEvents UIControlEventTouchDragExit = 1 << 5;
inline constexpr UIControlEvents UIControlEventTouchUpInside = 1 << 6;
inline constexpr UIControlEvents UIControlEventTouchUpOutside = 1 << 7;
inline constexpr UIControlEvents UIControlEventTouchCancel = 1 << 8;
inline constexpr UIControlEvents UIControlEventValueChanged = 1 << 12;
inline constexpr UIControlEvents UIControlEventAllTouchEvents = 0x0FFF;
inline constexpr UIControlEvents UIControlEventAllEvents = 0xFFFFFFFF;

using UIControlState = unsigned;
inline constexpr UIControlState UIControlStateNormal = 0;
inline constexpr UIControlState UIControlStateHighlighted = 1 << 0;
inline constexpr UIControlState UIControlStateDisabled = 1 << 1;
inline constexpr UIControlState UIControlStateSelected = 1 << 2;

// A control: states, target-action and touch tracking.
//
// Target-action registrations are kept per (target, action, event bit); adding a triple that is
// already there is ignored. Targets are held weakly (a target that no shared_ptr owns cannot be
// held and is not registered); a null target means the responder chain. Actions go out through
// UIApplication::sendAction with the control as sender.
//
// Tracking: a touch down on an enabled control highlights it and sends touch-down (plus
// touch-down-repeat for a repeated tap); moves send drag-inside/outside (and enter/exit when the
// finger crosses the bounds); lifting inside the bounds sends touch-up-inside, outside
// touch-up-outside; a cancelled touch sends touch-cancel. A disabled control tracks nothing and
// passes its touches on.
class UIControl : public UIView {
public:
    explicit UIControl(CGRect frame = CGRectZero);
    static std::shared_ptr<UIControl> create(CGRect frame = CGRectZero);

    bool isEnabled() const { return enabled_; }
    virtual void setEnabled(bool enabled) { enabled_ = enabled; }
    bool isSelected() const { return selected_; }
    virtual void setSelected(bool selected) { selected_ = selected; }
    bool isHighlighted() const { return highlighted_; }
    virtual void setHighlighted(bool highlighted) { highlighted_ = highlighted; }
    UIControlState state() const;

    bool isTracking() const { return tracking_; }
    bool isTouchInside() const { return touchInside_; }

    void addTarget(id target, SEL action, UIControlEvents events);
    // A null target matches every target, a null action every action.
    void removeTarget(id target, SEL action, UIControlEvents events);
    // The actions registered for a target (null: the responder chain) and one event bit.
    std::vector<SEL> actionsForTarget(id target, UIControlEvents event) const;
    UIControlEvents allControlEvents() const;
    // Number of live registrations, counting each event bit separately.
    std::size_t registrationCount() const;

    // Sends the actions registered for any of the events, in the order they were added.
    void sendActionsForControlEvents(UIControlEvents events, UIEvent* event = nullptr);
    void sendAction(SEL action, id target, UIEvent* event = nullptr);

    void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
    void touchesMoved(const UITouchSet& touches, UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void touchesCancelled(const UITouchSet& touches, UIEvent* event) override;

private:
    struct Registration {
        std::weak_ptr<Object> target;
        const Object* targetAddress = nullptr;  // null: the responder chain
        SEL action;
        UIControlEvents event;
        bool matches(id target) const;
        bool live() const { return targetAddress == nullptr || !target.expired(); }
    };
    bool insideBounds(const UITouchSet& touches) const;

    bool enabled_ = true;
    bool selected_ = false;
    bool highlighted_ = false;
    bool tracking_ = false;
    bool touchInside_ = false;
    std::vector<Registration> registrations_;
};

}  // namespace platform
