#include "platform/ui/UIScreen.h"

#include <cmath>

#include "platform/Process.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/UIGestureRecognizer.h"
#include "platform/ui/UIScrollView.h"
#include "platform/ui/UITouch.h"
#include "platform/ui/UIView.h"
#include "platform/ui/UIWindow.h"
#include "platform/ui/UIWindowList.h"

namespace platform {
namespace {

constexpr double kRepeatTapInterval = 0.35;
constexpr CGFloat kRepeatTapDistance = 20;
constexpr CGFloat kScrollThreshold = 10;

CGFloat distance(CGPoint a, CGPoint b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// Where a screen point lies in the scroll view's visible area, whatever the content offset.
CGPoint visiblePoint(const UIScrollView& scrollView, CGPoint screenPoint) {
    const CGPoint p = scrollView.convertPointFromScreen(screenPoint);
    return {p.x - scrollView.bounds().origin.x, p.y - scrollView.bounds().origin.y};
}

}  // namespace

// The finger on the screen and everything it has been delivered to.
struct UIScreen::ActiveTouch {
    std::shared_ptr<UITouch> touch;
    std::shared_ptr<UIEvent> event;
    UITouchSet touches;
    std::weak_ptr<UIView> view;
    std::vector<std::weak_ptr<UIGestureRecognizer>> recognizers;
    std::vector<std::weak_ptr<UIScrollView>> scrollViews;  // innermost first
    CGPoint start;
    bool scrollTried = false;
    bool viewCancelled = false;
    std::weak_ptr<UIScrollView> scrolling;
    CGPoint scrollStartOffset;

    template <class Deliver>
    void toRecognizers(Deliver deliver) {
        for (const auto& weak : recognizers) {
            if (auto recognizer = weak.lock(); recognizer && recognizer->isEnabled()) {
                deliver(*recognizer);
            }
        }
    }

    // Once the finger has moved far enough, the innermost scroll view that agrees takes over.
    void tryScrolling(CGPoint screenPoint) {
        if (scrollTried || distance(screenPoint, start) <= kScrollThreshold) {
            return;
        }
        scrollTried = true;
        for (const auto& weak : scrollViews) {
            auto scrollView = weak.lock();
            if (scrollView && scrollView->canScroll() && scrollView->beginDragging()) {
                scrolling = scrollView;
                scrollStartOffset = scrollView->contentOffset();
                cancelView();
                return;
            }
        }
    }

    void cancelView() {
        viewCancelled = true;
        if (auto hit = view.lock()) {
            const UITouchPhase phase = touch->phase();
            touch->moveTo(touch->locationOnScreen(), UITouchPhaseCancelled, touch->timestamp());
            hit->touchesCancelled(touches, event.get());
            touch->moveTo(touch->locationOnScreen(), phase, touch->timestamp());
        }
    }

    void dragScrollView(CGPoint screenPoint) {
        if (auto scrollView = scrolling.lock()) {
            const CGPoint from = visiblePoint(*scrollView, start);
            const CGPoint to = visiblePoint(*scrollView, screenPoint);
            scrollView->dragTo(
                {scrollStartOffset.x - (to.x - from.x), scrollStartOffset.y - (to.y - from.y)});
        }
    }
};

UIScreen& UIScreen::mainScreen() {
    return Process::current().attachment<UIScreen>();
}

UIScreen::UIScreen() : windows_(std::make_shared<UIWindowList>()) {
    setObjcClass(Runtime::shared().registerClass("UIScreen", "NSObject"));
}

UIScreen::~UIScreen() = default;

CGRect UIScreen::bounds() const {
    return {{0, 0}, Process::current().profile().screenSize};
}

std::vector<std::shared_ptr<UIWindow>> UIScreen::windows() const {
    return windows_->all();
}

std::vector<std::shared_ptr<UIWindow>> UIScreen::visibleWindows() const {
    return windows_->visible();
}

std::shared_ptr<UIWindow> UIScreen::keyWindow() const {
    return windows_->key();
}

std::shared_ptr<UIView> UIScreen::hitTest(CGPoint screenPoint) const {
    const auto windows = visibleWindows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (auto hit = (*it)->hitTest((*it)->convertPointFromScreen(screenPoint), nullptr)) {
            return hit;
        }
    }
    return nullptr;
}

bool UIScreen::isTouching() const {
    return active_ != nullptr;
}

std::shared_ptr<UITouch> UIScreen::currentTouch() const {
    return active_ ? active_->touch : nullptr;
}

void UIScreen::touchDown(CGPoint screenPoint) {
    if (active_) {
        touchCancel();
    }
    const double now = RunLoop::main().now();
    const bool repeated = lastTapTime_ >= 0 && now - lastTapTime_ <= kRepeatTapInterval &&
                          distance(screenPoint, lastTapPoint_) <= kRepeatTapDistance;
    auto touch = std::make_shared<UITouch>(screenPoint, repeated ? lastTapCount_ + 1 : 1, now);
    auto hit = hitTest(screenPoint);
    touch->setView(hit, hit ? retain<UIWindow>(hit->window()) : nullptr);

    active_ = std::make_unique<ActiveTouch>();
    ActiveTouch& active = *active_;
    active.touch = touch;
    active.touches = UITouchSet({touch});
    active.event = std::make_shared<UIEvent>(active.touches, now);
    active.view = hit;
    active.start = screenPoint;
    if (!hit) {
        return;
    }
    for (UIView* v = hit.get(); v != nullptr; v = v->superview()) {
        for (const auto& recognizer : v->gestureRecognizers()) {
            active.recognizers.push_back(recognizer);
        }
        if (auto scrollView = retain<UIScrollView>(v)) {
            active.scrollViews.push_back(scrollView);
        }
    }
    auto event = active.event;
    const UITouchSet touches = active.touches;
    active.toRecognizers([&](UIGestureRecognizer& r) { r.touchesBegan(touches, event.get()); });
    hit->touchesBegan(touches, event.get());
}

void UIScreen::touchMove(CGPoint screenPoint) {
    if (!active_) {
        return;
    }
    ActiveTouch& active = *active_;
    active.touch->moveTo(screenPoint, UITouchPhaseMoved, RunLoop::main().now());
    auto event = active.event;
    const UITouchSet touches = active.touches;
    active.toRecognizers([&](UIGestureRecognizer& r) { r.touchesMoved(touches, event.get()); });
    active.tryScrolling(screenPoint);
    if (!active.scrolling.expired()) {
        active.dragScrollView(screenPoint);
    } else if (auto hit = active.view.lock(); hit && !active.viewCancelled) {
        hit->touchesMoved(touches, event.get());
    }
}

void UIScreen::touchUp(CGPoint screenPoint) {
    if (!active_) {
        return;
    }
    ActiveTouch& active = *active_;
    const double now = RunLoop::main().now();
    active.touch->moveTo(screenPoint, UITouchPhaseEnded, now);
    auto event = active.event;
    const UITouchSet touches = active.touches;
    active.toRecognizers([&](UIGestureRecognizer& r) { r.touchesEnded(touches, event.get()); });
    const bool scrolled = !active.scrolling.expired();
    if (auto scrollView = active.scrolling.lock()) {
        scrollView->endDragging();
    } else if (auto hit = active.view.lock(); hit && !active.viewCancelled) {
        hit->touchesEnded(touches, event.get());
    }
    if (scrolled) {
        lastTapTime_ = -1;
    } else {
        lastTapTime_ = now;
        lastTapPoint_ = screenPoint;
        lastTapCount_ = active.touch->tapCount();
    }
    finishTouch();
}

void UIScreen::touchCancel() {
    if (!active_) {
        return;
    }
    ActiveTouch& active = *active_;
    active.touch->moveTo(active.touch->locationOnScreen(), UITouchPhaseCancelled,
                         RunLoop::main().now());
    auto event = active.event;
    const UITouchSet touches = active.touches;
    active.toRecognizers([&](UIGestureRecognizer& r) { r.touchesCancelled(touches, event.get()); });
    if (auto scrollView = active.scrolling.lock()) {
        scrollView->endDragging();
    } else if (auto hit = active.view.lock(); hit && !active.viewCancelled) {
        hit->touchesCancelled(touches, event.get());
    }
    lastTapTime_ = -1;
    finishTouch();
}

void UIScreen::tap(CGPoint screenPoint) {
    touchDown(screenPoint);
    touchUp(screenPoint);
}

void UIScreen::finishTouch() {
    auto finished = std::move(active_);
    finished->toRecognizers([](UIGestureRecognizer& r) { r.reset(); });
}

}  // namespace platform
