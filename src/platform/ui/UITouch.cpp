#include "platform/ui/UITouch.h"

#include <algorithm>

#include "platform/ui/UIView.h"
#include "platform/ui/UIWindow.h"

namespace platform {
namespace {

CGPoint locate(CGPoint screenPoint, const UIView* view, const std::weak_ptr<UIWindow>& window) {
    if (view != nullptr) {
        return view->convertPointFromScreen(screenPoint);
    }
    if (auto w = window.lock()) {
        return w->convertPointFromScreen(screenPoint);
    }
    return screenPoint;
}

}  // namespace

UITouch::UITouch(CGPoint screenLocation, int tapCount, double timestamp)
    : location_(screenLocation),
      previous_(screenLocation),
      tapCount_(tapCount),
      timestamp_(timestamp) {}

CGPoint UITouch::locationInView(const UIView* view) const {
    return locate(location_, view, window_);
}

CGPoint UITouch::previousLocationInView(const UIView* view) const {
    return locate(previous_, view, window_);
}

void UITouch::moveTo(CGPoint screenLocation, UITouchPhase phase, double timestamp) {
    previous_ = location_;
    location_ = screenLocation;
    phase_ = phase;
    timestamp_ = timestamp;
}

void UITouch::setView(const std::shared_ptr<UIView>& view,
                      const std::shared_ptr<UIWindow>& window) {
    view_ = view;
    window_ = window;
}

bool UITouchSet::containsObject(const UITouch* touch) const {
    return std::any_of(touches_.begin(), touches_.end(),
                       [touch](const auto& t) { return t.get() == touch; });
}

}  // namespace platform
