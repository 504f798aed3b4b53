#pragma once

#include <memory>

#include "platform/ui/UIGestureRecognizer.h"

namespace platform {

// Recognised (ended, 3) when the finger lifts after the required number of taps without having
// moved more than 10 points.
class UITapGestureRecognizer : public UIGestureRecognizer {
public:
    static constexpr CGFloat kAllowableMovement = 10;

    UITapGestureRecognizer(id target, SEL action);
    static std::shared_ptr<UITapGestureRecognizer> create(id target, SEL action);

    int numberOfTapsRequired() const { return tapsRequired_; }
    void setNumberOfTapsRequired(int taps) { tapsRequired_ = taps; }

    void touchesMoved(const UITouchSet& touches, UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void touchesCancelled(const UITouchSet& touches, UIEvent* event) override;

private:
    int tapsRequired_ = 1;
};

}  // namespace platform
