#include "platform/ui/UIControl.h"

#include <algorithm>

#include "platform/ui/UIApplication.h"
#include "platform/ui/UITouch.h"

namespace platform {
namespace {

// The single event bits of a mask, lowest first.
std::vector<UIControlEvents> bitsOf(UIControlEvents events) {
    std::vector<UIControlEvents> bits;
    for (unsigned bit = 0; bit < 32; ++bit) {
        if (events & (1u << bit)) {
            bits.push_back(1u << bit);
        }
    }
    return bits;
}

}  // namespace

bool UIControl::Registration::matches(id object) const {
    return targetAddress == object && live();
}

UIControl::UIControl(CGRect frame) : UIView(frame) {
    setObjcClass(registerUIKitClass("UIControl", "UIView"));
}

std::shared_ptr<UIControl> UIControl::create(CGRect frame) {
    return std::make_shared<UIControl>(frame);
}

UIControlState UIControl::state() const {
    UIControlState state = UIControlStateNormal;
    if (highlighted_) {
        state |= UIControlStateHighlighted;
    }
    if (!enabled_) {
        state |= UIControlStateDisabled;
    }
    if (selected_) {
        state |= UIControlStateSelected;
    }
    return state;
}

void UIControl::addTarget(id target, SEL action, UIControlEvents events) {
    if (action == nullptr) {
        return;
    }
    std::weak_ptr<Object> weak = weakRef<Object>(target);
    if (target != nullptr && weak.expired()) {
        return;
    }
    std::erase_if(registrations_, [](const Registration& r) { return !r.live(); });
    for (UIControlEvents bit : bitsOf(events)) {
        const bool known =
            std::any_of(registrations_.begin(), registrations_.end(), [&](const Registration& r) {
                return r.matches(target) && r.action == action && r.event == bit;
            });
        if (!known) {
            registrations_.push_back({weak, target, action, bit});
        }
    }
}

void UIControl::removeTarget(id target, SEL action, UIControlEvents events) {
    std::erase_if(registrations_, [&](const Registration& r) {
        return !r.live() || ((target == nullptr || r.matches(target)) &&
                             (action == nullptr || r.action == action) && (r.event & events));
    });
}

std::vector<SEL> UIControl::actionsForTarget(id target, UIControlEvents event) const {
    std::vector<SEL> actions;
    for (const auto& r : registrations_) {
        if (r.matches(target) && (r.event & event)) {
            actions.push_back(r.action);
        }
    }
    return actions;
}

UIControlEvents UIControl::allControlEvents() const {
    UIControlEvents events = 0;
    for (const auto& r : registrations_) {
        if (r.live()) {
            events |= r.event;
        }
    }
    return events;
}

std::size_t UIControl::registrationCount() const {
    return static_cast<std::size_t>(std::count_if(registrations_.begin(), registrations_.end(),
                                                  [](const Registration& r) { return r.live(); }));
}

void UIControl::sendActionsForControlEvents(UIControlEvents events, UIEvent* event) {
    // An action may free this control or change its registrations: work from a copy.
    auto keepAlive = retain<UIControl>(this);
    const auto registrations = registrations_;
    for (const auto& r : registrations) {
        if (!(r.event & events)) {
            continue;
        }
        if (r.targetAddress == nullptr) {
            sendAction(r.action, nullptr, event);
        } else if (auto target = r.target.lock()) {
            sendAction(r.action, target.get(), event);
        }
    }
}

void UIControl::sendAction(SEL action, id target, UIEvent* event) {
    UIApplication::sharedApplication().sendAction(action, target, this, event);
}

bool UIControl::insideBounds(const UITouchSet& touches) const {
    auto touch = touches.anyObject();
    return touch && pointInside(touch->locationInView(this), nullptr);
}

void UIControl::touchesBegan(const UITouchSet& touches, UIEvent* event) {
    if (!enabled_) {
        UIView::touchesBegan(touches, event);
        return;
    }
    auto keepAlive = retain<UIControl>(this);
    tracking_ = true;
    touchInside_ = true;
    setHighlighted(true);
    auto touch = touches.anyObject();
    UIControlEvents events = UIControlEventTouchDown;
    if (touch && touch->tapCount() > 1) {
        events |= UIControlEventTouchDownRepeat;
    }
    sendActionsForControlEvents(events, event);
}

void UIControl::touchesMoved(const UITouchSet& touches, UIEvent* event) {
    if (!tracking_) {
        UIView::touchesMoved(touches, event);
        return;
    }
    auto keepAlive = retain<UIControl>(this);
    const bool inside = insideBounds(touches);
    UIControlEvents events =
        inside ? UIControlEventTouchDragInside : UIControlEventTouchDragOutside;
    if (inside != touchInside_) {
        events |= inside ? UIControlEventTouchDragEnter : UIControlEventTouchDragExit;
    }
    touchInside_ = inside;
    setHighlighted(inside);
    sendActionsForControlEvents(events, event);
}

void UIControl::touchesEnded(const UITouchSet& touches, UIEvent* event) {
    if (!tracking_) {
        UIView::touchesEnded(touches, event);
        return;
    }
    auto keepAlive = retain<UIControl>(this);
    const bool inside = insideBounds(touches);
    tracking_ = false;
    touchInside_ = inside;
    setHighlighted(false);
    sendActionsForControlEvents(inside ? UIControlEventTouchUpInside : UIControlEventTouchUpOutside,
                                event);
}

void UIControl::touchesCancelled(const UITouchSet& touches, UIEvent* event) {
    if (!tracking_) {
        UIView::touchesCancelled(touches, event);
        return;
    }
    auto keepAlive = retain<UIControl>(this);
    tracking_ = false;
    touchInside_ = false;
    setHighlighted(false);
    sendActionsForControlEvents(UIControlEventTouchCancel, event);
}

}  // namespace platform
