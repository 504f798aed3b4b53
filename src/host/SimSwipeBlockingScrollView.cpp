#include "host/SimSwipeBlockingScrollView.h"

#include <cmath>

#include "host/HostClasses.h"
#include "host/Selectors.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/UIPanGestureRecognizer.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UITouch.h"

namespace host {
namespace {

constexpr int kPages = 3;
constexpr int kPreviewPage = 1;
// A swipe must run at least this many times further across than up or down.
constexpr platform::CGFloat kHorizontalRatio = 2;

}  // namespace

std::shared_ptr<SimSwipeBlockingScrollView> SimSwipeBlockingScrollView::create(
    platform::CGRect frame) {
    auto scrollView = std::make_shared<SimSwipeBlockingScrollView>(frame);
    scrollView->setDelegate(std::static_pointer_cast<platform::UIScrollViewDelegate>(scrollView));
    return scrollView;
}

SimSwipeBlockingScrollView::SimSwipeBlockingScrollView(platform::CGRect frame)
    : UIScrollView(frame) {
    setObjcClass(hostClass("PLSwipeBlockingScrollView"));
    setPagingEnabled(true);
    setShowsHorizontalScrollIndicator(false);
    setShowsVerticalScrollIndicator(false);
    setContentSize({frame.size.width * kPages, frame.size.height});
    setContentOffset(previewPageFrame().origin);
}

void SimSwipeBlockingScrollView::registerRuntimeClass() {
    platform::Class* cls =
        platform::registerUIKitClass("PLSwipeBlockingScrollView", "UIScrollView");
    platform::class_addMemberMethod<&SimSwipeBlockingScrollView::hostGestureRecognizerShouldBegin>(
        cls, sel::gestureRecognizerShouldBegin);
}

platform::CGRect SimSwipeBlockingScrollView::previewPageFrame() const {
    const platform::CGSize size = bounds().size;
    return {{size.width * kPreviewPage, 0}, size};
}

bool SimSwipeBlockingScrollView::gestureRecognizerShouldBegin(
    platform::UIGestureRecognizer* recognizer) {
    return platform::send(this, sel::gestureRecognizerShouldBegin, recognizer);
}

void SimSwipeBlockingScrollView::touchesBegan(const platform::UITouchSet& touches,
                                              platform::UIEvent* event) {
    if (auto touch = touches.anyObject()) {
        touchStart_ = touch->locationOnScreen();
    }
    UIScrollView::touchesBegan(touches, event);
}

// Only the strip's own drags are judged: they start when the app allows a swipe and the finger
// has gone clearly sideways.
bool SimSwipeBlockingScrollView::hostGestureRecognizerShouldBegin(platform::id recognizer) {
    calls_.note(sel::gestureRecognizerShouldBegin.sel);
    if (recognizer != panGestureRecognizer()) {
        return true;
    }
    if (!permission_ || !permission_()) {
        return false;
    }
    const auto touch = platform::UIScreen::mainScreen().currentTouch();
    if (!touch) {
        return false;
    }
    const platform::CGPoint now = touch->locationOnScreen();
    const platform::CGFloat across = std::fabs(now.x - touchStart_.x);
    const platform::CGFloat upDown = std::fabs(now.y - touchStart_.y);
    return across > kHorizontalRatio * upDown;
}

void SimSwipeBlockingScrollView::scrollViewDidEndDecelerating(platform::UIScrollView*) {
    const platform::CGFloat pageWidth = bounds().size.width;
    if (pageWidth <= 0) {
        return;
    }
    const int page = static_cast<int>(std::lround(contentOffset().x / pageWidth));
    if (page == kPreviewPage) {
        return;
    }
    // Back to the preview once the strip's own settling has finished.
    auto weak = platform::weakRef<SimSwipeBlockingScrollView>(this);
    platform::RunLoop::main().schedule(0, [weak, page] {
        auto self = weak.lock();
        if (!self) {
            return;
        }
        self->returnToPreviewPage();
        if (self->swipeHandler_) {
            self->swipeHandler_(page > kPreviewPage ? 1 : -1);
        }
    });
}

void SimSwipeBlockingScrollView::returnToPreviewPage() {
    setContentOffset(previewPageFrame().origin);
}

}  // namespace host
