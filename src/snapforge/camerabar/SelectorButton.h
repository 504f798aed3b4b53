#pragma once

#include <memory>

#include "platform/ui/UIScrollView.h"
#include "platform/ui/UIView.h"

namespace snapforge {

// The camera bar's scrolling selector: a button-sized view whose face is a vertical strip of
// choices, one 60-point page per choice, flicked up or down to pick one.
class SelectorButton : public platform::UIView {
public:
    // The layers, found again by tag.
    static constexpr int kScrollArrowsTag = 40;
    static constexpr int kStripTag = 41;
    static constexpr int kFrameTag = 42;
    static constexpr int kLightTag = 43;

    // What the selector chooses; each kind has its own strip.
    static constexpr int kOverlaySelector = 1;
    static constexpr int kResolutionSelector = 2;
    static constexpr int kFrameGuideSelector = 4;

    // The height of one choice on a strip.
    static constexpr int kPageHeight = 60;

    static std::shared_ptr<SelectorButton> create(platform::CGRect frame);

    std::shared_ptr<platform::UIScrollView> scrollView() const { return scrollView_; }

    // Shows the strip of a selector kind at the page of the index; an unknown kind changes
    // nothing.
    void setSelectorType(int type, int index);
    // The scroll offset at which a strip shows the choice of an index.
    int getOffsetByIndex(int index, int selectorType) const;

    // Whether the selector's function is on. Setting it blinks the scroll arrows, on or off.
    void setIsSelected(bool selected);
    bool isSelected() const { return isSelected_; }

    // The object that hears the strip's scrolling.
    void setScrollViewDelegate(std::weak_ptr<platform::UIScrollViewDelegate> delegate);

    // Fades the scroll arrows in over 1 s and out again over 0.5 s.
    void blinkScrollArrows();

protected:
    void initWithFrame(platform::CGRect frame);

private:
    void showPage(int offset);

    std::shared_ptr<platform::UIScrollView> scrollView_;
    bool isSelected_ = false;
};

}  // namespace snapforge
