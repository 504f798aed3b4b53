// The bar's side of its three scrolling selectors: wrap-around at rest, taps and the lights.
#include <array>
#include <utility>

#include "platform/ui/UIImageView.h"
#include "snapforge/camerabar/CameraBar.h"
#include "snapforge/camerabar/SelectorButton.h"
#include "snapforge/startup/LibraryClass.h"

namespace snapforge {
namespace {

using Jump = std::pair<float, float>;

// Resting offset -> the offset showing the same item further in, per selector tag.
constexpr std::array<Jump, 4> kOverlayJumps{{{0, 240}, {60, 300}, {360, 120}, {420, 180}}};
constexpr std::array<Jump, 3> kResolutionJumps{{{0, 420}, {60, 480}, {780, 360}}};
constexpr std::array<Jump, 3> kFrameGuideJumps{{{0, 180}, {60, 240}, {300, 120}}};

template <std::size_t N>
void jumpIfAtEnd(platform::UIScrollView& scrollView, const std::array<Jump, N>& jumps) {
    const float offset = scrollView.contentOffset().y;
    for (const auto& [from, to] : jumps) {
        if (offset == from) {
            scrollView.scrollRectToVisible(platform::CGRectMake(0, to, 77, 60), false);
            return;
        }
    }
}

}  // namespace

void CameraBar::scrollViewDidEndDecelerating(platform::UIScrollView* scrollView) {
    if (scrollView == nullptr || scrollView->superview() == nullptr) {
        return;
    }
    switch (scrollView->superview()->tag()) {
        case kOverlayTag:
            jumpIfAtEnd(*scrollView, kOverlayJumps);
            break;
        case kResolutionTag:
            if (resolutionBtn && resolutionBtn->isSelected()) {
                resolutionBtn->setIsSelected(false);
                handleSelectorLight(resolutionBtn.get());
            }
            jumpIfAtEnd(*scrollView, kResolutionJumps);
            break;
        case kFrameGuideTag:
            jumpIfAtEnd(*scrollView, kFrameGuideJumps);
            break;
        default:
            break;
    }
}

void CameraBar::toggleSelector(SelectorButton* selector, bool& flag) {
    if (selector == nullptr) {
        return;
    }
    selector->setIsSelected(!selector->isSelected());
    flag = selector->isSelected();
    handleSelectorLight(selector);
}

void CameraBar::overlayTap(platform::id) {
    toggleSelector(overlayBtn.get(), overlaySelected);
}

void CameraBar::resolutionTap(platform::id) {
    toggleSelector(resolutionBtn.get(), resolutionSelected);
}

void CameraBar::frameGuideTap(platform::id) {
    toggleSelector(frameGuideBtn.get(), guideSelected);
}

void CameraBar::handleSelectorLight(SelectorButton* selector) {
    if (selector == nullptr) {
        return;
    }
    platform::UIView::beginAnimations("tap");
    platform::UIView::setAnimationDuration(0.5);
    auto light = std::dynamic_pointer_cast<platform::UIImageView>(
        selector->viewWithTag(SelectorButton::kLightTag));
    if (light) {
        light->setImage(imageNamed(selector->isSelected() ? "lightOn.png" : "lightOff.png"));
    }
    platform::UIView::commitAnimations();
}

void CameraBar::blinkScrollArrows() {
    if (cameraControllerMode_ == 0) {
        if (overlayBtn) {
            overlayBtn->blinkScrollArrows();
        }
    } else if (cameraControllerMode_ == 1) {
        if (resolutionBtn) {
            resolutionBtn->blinkScrollArrows();
        }
        if (frameGuideBtn) {
            frameGuideBtn->blinkScrollArrows();
        }
    }
}

}  // namespace snapforge
