#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "host/HostCalls.h"
#include "platform/ui/UIScrollView.h"

namespace host {

// The paging strip under the camera app's preview ("PLSwipeBlockingScrollView"). Its middle
// page shows the preview; a clearly horizontal swipe, when the app allows one, pages left or
// right, and the app hears which way once the strip has come to rest (the strip then returns
// to the middle page). Before a swipe starts it asks gestureRecognizerShouldBegin: through the
// runtime.
class SimSwipeBlockingScrollView : public platform::UIScrollView,
                                   public platform::UIScrollViewDelegate {
public:
    // +1: the content moved on to the next page (the finger went left); -1: back.
    using SwipeHandler = std::function<void(int direction)>;
    using SwipePermission = std::function<bool()>;

    static std::shared_ptr<SimSwipeBlockingScrollView> create(platform::CGRect frame);
    explicit SimSwipeBlockingScrollView(platform::CGRect frame);

    static void registerRuntimeClass();

    void setSwipeHandler(SwipeHandler handler) { swipeHandler_ = std::move(handler); }
    void setSwipePermission(SwipePermission permission) { permission_ = std::move(permission); }

    // Where the preview page lies in the content.
    platform::CGRect previewPageFrame() const;
    int hostCallCount(std::string_view selector) const { return calls_.count(selector); }

    bool gestureRecognizerShouldBegin(platform::UIGestureRecognizer* recognizer) override;
    void touchesBegan(const platform::UITouchSet& touches, platform::UIEvent* event) override;
    void scrollViewDidEndDecelerating(platform::UIScrollView* scrollView) override;

private:
    bool hostGestureRecognizerShouldBegin(platform::id recognizer);
    void returnToPreviewPage();

    SwipeHandler swipeHandler_;
    SwipePermission permission_;
    platform::CGPoint touchStart_;
    HostCalls calls_;
};

}  // namespace host
