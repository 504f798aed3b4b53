#pragma once

#include <memory>

#include "platform/ui/UIGestureRecognizer.h"

namespace platform {

class UIScrollView;

// A drag. Here it serves as a scroll view's own recogniser: the scroll view moves it through
// began, changed and ended as its drags go, and asks gestureRecognizerShouldBegin with it.
class UIPanGestureRecognizer : public UIGestureRecognizer {
public:
    UIPanGestureRecognizer(id target, SEL action);
    static std::shared_ptr<UIPanGestureRecognizer> create(id target, SEL action);

private:
    friend class UIScrollView;
    void scrollViewMoved(UIGestureRecognizerState state) { setState(state); }
};

}  // namespace platform
