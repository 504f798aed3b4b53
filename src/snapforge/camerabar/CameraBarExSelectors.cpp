// What the bar's selectors apply: the overlay grid, the frame guide, the resolution preset and
// the custom frame rate.
#include <cmath>

#include "platform/foundation/Format.h"
#include "snapforge/camerabar/ActionButton.h"
#include "snapforge/camerabar/CameraBarEx.h"
#include "snapforge/camerabar/SelectorButton.h"
#include "snapforge/capture/FrameRate.h"
#include "snapforge/capture/FramingAids.h"
#include "snapforge/capture/Resolution.h"

namespace snapforge {
namespace {

bool isLit(const std::shared_ptr<SelectorButton>& selector) {
    return selector && selector->isSelected();
}

// The page showing in a strip: the nearest one, half way counting as the next.
int pageIndex(const platform::UIScrollView& strip) {
    const double h = strip.frame().size.height;
    const double y = strip.contentOffset().y;
    return static_cast<int>(std::floor((y - h / 2) / h)) + 1;
}

}  // namespace

void CameraBarEx::scrollViewDidScroll(platform::UIScrollView* scrollView) {
    CameraBar::scrollViewDidScroll(scrollView);
    if (scrollView == nullptr || scrollView->superview() == nullptr ||
        !(scrollView->frame().size.height > 0)) {
        return;
    }
    const int index = pageIndex(*scrollView);
    switch (scrollView->superview()->tag()) {
        case kResolutionTag:
            resolutionIndex = index;
            break;
        case kFrameGuideTag:
            if (index != guideIndex) {
                guideIndex = index;
                toggleFrameGuide(guideIndex, isLit(frameGuideBtn), false);
            }
            break;
        case kOverlayTag:
            if (index != overlayIndex) {
                overlayIndex = index;
                toggleOverlay(overlayIndex, isLit(overlayBtn), false);
            }
            break;
        default:
            break;
    }
}

void CameraBarEx::overlayTap(platform::id recognizer) {
    CameraBar::overlayTap(recognizer);
    toggleOverlay(overlayIndex, isLit(overlayBtn), false);
}

void CameraBarEx::resolutionTap(platform::id recognizer) {
    CameraBar::resolutionTap(recognizer);
    toggleResolution(resolutionIndex, isLit(resolutionBtn), false);
}

void CameraBarEx::frameGuideTap(platform::id recognizer) {
    CameraBar::frameGuideTap(recognizer);
    toggleFrameGuide(guideIndex, isLit(frameGuideBtn), false);
}

void CameraBarEx::setFrameRateBtnPress(platform::id) {
    const auto connection = currentVideoConnection();
    bool failed = true;
    if (!fpsBtn || !fpsBtn->isSelected()) {
        failed = !(connection && setNormalFrameRate(*connection).any());
    } else if (connection) {
        const int fps = getTimerSeconds() - 1;
        const FrameRateChange change = setCustomFrameRate(*connection, fps);
        if (change.maximumSet) {
            fadeinText(platform::format("Frame rate: %d fps", fps));
        }
        failed = !change.any();
    } else {
        fpsBtn->setSelected(false);
    }
    if (failed) {
        fadeinText("Could not set chosen frame rate");
    } else {
        removeSelDial();
    }
}

}  // namespace snapforge
