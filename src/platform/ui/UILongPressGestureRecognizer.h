#pragma once

#include <memory>

#include "platform/foundation/RunLoop.h"
#include "platform/ui/UIGestureRecognizer.h"

namespace platform {

// Begins when the finger has stayed down minimumPressDuration (a timer on the main run loop)
// without moving more than allowableMovement; then every move is a change and lifting the
// finger ends it. Moving too far or lifting before it began makes it fail.
class UILongPressGestureRecognizer : public UIGestureRecognizer {
public:
    UILongPressGestureRecognizer(id target, SEL action);
    ~UILongPressGestureRecognizer() override;
    static std::shared_ptr<UILongPressGestureRecognizer> create(id target, SEL action);

    double minimumPressDuration() const { return minimumPressDuration_; }
    void setMinimumPressDuration(double seconds) { minimumPressDuration_ = seconds; }
    CGFloat allowableMovement() const { return allowableMovement_; }
    void setAllowableMovement(CGFloat points) { allowableMovement_ = points; }

    void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
    void touchesMoved(const UITouchSet& touches, UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void touchesCancelled(const UITouchSet& touches, UIEvent* event) override;
    void reset() override;

private:
    void stopTimer();

    double minimumPressDuration_ = 0.5;
    CGFloat allowableMovement_ = 10;
    std::shared_ptr<NSTimer> timer_;
};

}  // namespace platform
