#pragma once

#include <cstdint>
#include <memory>

#include "platform/ui/UIView.h"

namespace platform {

class UIScrollView;
class UIPanGestureRecognizer;

// What a scroll view tells its delegate.
class UIScrollViewDelegate {
public:
    virtual ~UIScrollViewDelegate() = default;
    // Every change of the content offset, one call per step.
    virtual void scrollViewDidScroll(UIScrollView*) {}
    virtual void scrollViewWillBeginDragging(UIScrollView*) {}
    virtual void scrollViewDidEndDragging(UIScrollView*, bool /*willDecelerate*/) {}
    // Once, when the content comes to rest after a drag.
    virtual void scrollViewDidEndDecelerating(UIScrollView*) {}
    // Once, at the end of an animated setContentOffset / scrollRectToVisible.
    virtual void scrollViewDidEndScrollingAnimation(UIScrollView*) {}
};

// A scrolling view. The content offset is the bounds origin; it stays within
// 0..(content size - bounds size) in each direction (no bouncing past the ends).
//
// Every change of the offset tells the delegate scrollViewDidScroll; setting an unchanged offset
// tells nothing. A drag (by touch through the screen, or scrollByDragging) moves the offset
// with each move; when the finger lifts the content decelerates: with paging it settles on the
// nearest page (a page is the bounds size) in steps on the run loop, then the delegate hears
// scrollViewDidEndDecelerating once at rest (without paging it rests where it is, and hears it
// at the next turn of the run loop). Animated offset changes step the same way and end with
// scrollViewDidEndScrollingAnimation. A new drag stops a settle or animation in progress.
class UIScrollView : public UIView {
public:
    static constexpr double kStepDuration = 0.03;
    static constexpr int kAnimationSteps = 10;

    explicit UIScrollView(CGRect frame = CGRectZero);
    ~UIScrollView() override;
    static std::shared_ptr<UIScrollView> create(CGRect frame = CGRectZero);

    CGSize contentSize() const { return contentSize_; }
    void setContentSize(CGSize size) { contentSize_ = size; }
    CGPoint contentOffset() const { return bounds().origin; }
    void setContentOffset(CGPoint offset, bool animated = false);
    // Scrolls just enough to show the rectangle (content coordinates): nothing when it is
    // already fully visible.
    void scrollRectToVisible(CGRect rect, bool animated);

    bool isPagingEnabled() const { return pagingEnabled_; }
    void setPagingEnabled(bool paging) { pagingEnabled_ = paging; }
    bool isScrollEnabled() const { return scrollEnabled_; }
    void setScrollEnabled(bool enabled) { scrollEnabled_ = enabled; }
    bool showsHorizontalScrollIndicator() const { return showsHorizontal_; }
    void setShowsHorizontalScrollIndicator(bool shows) { showsHorizontal_ = shows; }
    bool showsVerticalScrollIndicator() const { return showsVertical_; }
    void setShowsVerticalScrollIndicator(bool shows) { showsVertical_ = shows; }
    bool bounces() const { return bounces_; }
    void setBounces(bool bounces) { bounces_ = bounces; }

    std::shared_ptr<UIScrollViewDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(std::weak_ptr<UIScrollViewDelegate> delegate) {
        delegate_ = std::move(delegate);
    }

    bool isDragging() const { return dragging_; }
    bool isDecelerating() const { return decelerating_; }

    // The recogniser of the scroll view's own drags, handed to gestureRecognizerShouldBegin.
    UIPanGestureRecognizer* panGestureRecognizer() const { return pan_.get(); }

    // A drag as a finger would make it, moving the offset by offsetDelta (positive y shows
    // later content) in steps of at most 10 points, then lifting the finger.
    void scrollByDragging(CGPoint offsetDelta);

    // The drag protocol the screen's touch handling uses. beginDragging asks
    // gestureRecognizerShouldBegin with the pan and answers false (no drag) when refused.
    bool canScroll() const;
    bool beginDragging();
    void dragTo(CGPoint offset);
    void endDragging();

    void setBounds(CGRect bounds) override;

private:
    CGPoint clamped(CGPoint offset) const;
    CGPoint nearestPage(CGPoint offset) const;
    void stepTo(CGPoint target, bool settling);
    void finishStepping(bool settling);

    CGSize contentSize_;
    bool pagingEnabled_ = false;
    bool scrollEnabled_ = true;
    bool showsHorizontal_ = true;
    bool showsVertical_ = true;
    bool bounces_ = true;
    bool dragging_ = false;
    bool decelerating_ = false;
    std::uint64_t stepGeneration_ = 0;
    std::weak_ptr<UIScrollViewDelegate> delegate_;
    std::shared_ptr<UIPanGestureRecognizer> pan_;
};

}  // namespace platform
