#include "platform/ui/UIScrollView.h"

#include <algorithm>
#include <cmath>

#include "platform/foundation/RunLoop.h"
#include "platform/ui/UIPanGestureRecognizer.h"

namespace platform {
namespace {

CGFloat limit(CGFloat value, CGFloat content, CGFloat visible) {
    return std::clamp(value, CGFloat(0), std::max(CGFloat(0), content - visible));
}

// The offset along one direction that shows [low, low + length] with the least movement.
CGFloat showing(CGFloat offset, CGFloat visible, CGFloat low, CGFloat length) {
    if (low >= offset && low + length <= offset + visible) {
        return offset;
    }
    if (low < offset || length > visible) {
        return low;
    }
    return low + length - visible;
}

CGPoint lerp(CGPoint a, CGPoint b, double t) {
    return {static_cast<CGFloat>(a.x + (b.x - a.x) * t),
            static_cast<CGFloat>(a.y + (b.y - a.y) * t)};
}

}  // namespace

UIScrollView::UIScrollView(CGRect frame)
    : UIView(frame), pan_(UIPanGestureRecognizer::create(nullptr, nullptr)) {
    setObjcClass(registerUIKitClass("UIScrollView", "UIView"));
    addGestureRecognizer(pan_);
}

UIScrollView::~UIScrollView() = default;

std::shared_ptr<UIScrollView> UIScrollView::create(CGRect frame) {
    return std::make_shared<UIScrollView>(frame);
}

void UIScrollView::setBounds(CGRect bounds) {
    const CGPoint old = this->bounds().origin;
    UIView::setBounds(bounds);
    if (bounds.origin == old) {
        return;
    }
    // The delegate may free this view; keep it for the call.
    auto keepAlive = retain<UIScrollView>(this);
    if (auto d = delegate()) {
        d->scrollViewDidScroll(this);
    }
}

CGPoint UIScrollView::clamped(CGPoint offset) const {
    return {limit(offset.x, contentSize_.width, bounds().size.width),
            limit(offset.y, contentSize_.height, bounds().size.height)};
}

CGPoint UIScrollView::nearestPage(CGPoint offset) const {
    auto page = [](CGFloat value, CGFloat size) {
        return size > 0 ? static_cast<CGFloat>(std::round(value / size) * size) : value;
    };
    return clamped({page(offset.x, bounds().size.width), page(offset.y, bounds().size.height)});
}

void UIScrollView::setContentOffset(CGPoint offset, bool animated) {
    if (animated) {
        stepTo(offset, false);
        return;
    }
    ++stepGeneration_;
    decelerating_ = false;
    CGRect b = bounds();
    b.origin = offset;
    setBounds(b);
}

void UIScrollView::scrollRectToVisible(CGRect rect, bool animated) {
    const CGRect b = bounds();
    const CGPoint target =
        clamped({showing(b.origin.x, b.size.width, rect.origin.x, rect.size.width),
                 showing(b.origin.y, b.size.height, rect.origin.y, rect.size.height)});
    setContentOffset(target, animated);
}

bool UIScrollView::canScroll() const {
    const CGSize visible = bounds().size;
    return scrollEnabled_ &&
           (contentSize_.width > visible.width || contentSize_.height > visible.height);
}

bool UIScrollView::beginDragging() {
    if (!canScroll()) {
        return false;
    }
    pan_->scrollViewMoved(UIGestureRecognizerStateBegan);
    if (pan_->state() != UIGestureRecognizerStateBegan) {
        pan_->reset();
        return false;
    }
    auto keepAlive = retain<UIScrollView>(this);
    ++stepGeneration_;
    decelerating_ = false;
    dragging_ = true;
    if (auto d = delegate()) {
        d->scrollViewWillBeginDragging(this);
    }
    return true;
}

void UIScrollView::dragTo(CGPoint offset) {
    if (!dragging_) {
        return;
    }
    pan_->scrollViewMoved(UIGestureRecognizerStateChanged);
    CGRect b = bounds();
    b.origin = clamped(offset);
    setBounds(b);
}

void UIScrollView::endDragging() {
    if (!dragging_) {
        return;
    }
    auto keepAlive = retain<UIScrollView>(this);
    dragging_ = false;
    pan_->scrollViewMoved(UIGestureRecognizerStateEnded);
    pan_->reset();
    if (auto d = delegate()) {
        d->scrollViewDidEndDragging(this, true);
    }
    const CGPoint offset = contentOffset();
    stepTo(pagingEnabled_ ? nearestPage(offset) : offset, true);
}

void UIScrollView::scrollByDragging(CGPoint offsetDelta) {
    if (!beginDragging()) {
        return;
    }
    const CGPoint start = contentOffset();
    const CGFloat longest = std::max(std::fabs(offsetDelta.x), std::fabs(offsetDelta.y));
    const int steps = std::max(1, static_cast<int>(std::ceil(longest / 10)));
    for (int i = 1; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        dragTo({static_cast<CGFloat>(start.x + offsetDelta.x * t),
                static_cast<CGFloat>(start.y + offsetDelta.y * t)});
    }
    endDragging();
}

// Moves the offset to target in steps on the run loop; a settle ends with decelerating done,
// an animation with the scrolling animation done. A newer drag, settle or offset change stops
// the steps (the generation no longer matches).
void UIScrollView::stepTo(CGPoint target, bool settling) {
    const std::uint64_t generation = ++stepGeneration_;
    const CGPoint from = contentOffset();
    decelerating_ = settling;
    std::weak_ptr<UIScrollView> weak = retain<UIScrollView>(this);
    RunLoop& loop = RunLoop::main();
    if (from == target) {
        if (settling) {
            loop.schedule(0, [weak, generation] {
                auto self = weak.lock();
                if (self && self->stepGeneration_ == generation) {
                    self->finishStepping(true);
                }
            });
        }
        return;
    }
    for (int step = 1; step <= kAnimationSteps; ++step) {
        loop.schedule(step * kStepDuration, [weak, generation, from, target, settling, step] {
            auto self = weak.lock();
            if (!self || self->stepGeneration_ != generation) {
                return;
            }
            const double t = static_cast<double>(step) / kAnimationSteps;
            const double eased = 1 - (1 - t) * (1 - t);
            CGRect b = self->bounds();
            b.origin = step == kAnimationSteps ? target : lerp(from, target, eased);
            self->setBounds(b);
            if (step == kAnimationSteps && self->stepGeneration_ == generation) {
                self->finishStepping(settling);
            }
        });
    }
}

void UIScrollView::finishStepping(bool settling) {
    decelerating_ = false;
    auto d = delegate();
    if (!d) {
        return;
    }
    if (settling) {
        d->scrollViewDidEndDecelerating(this);
    } else {
        d->scrollViewDidEndScrollingAnimation(this);
    }
}

}  // namespace platform
