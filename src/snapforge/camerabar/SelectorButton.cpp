#include "snapforge/camerabar/SelectorButton.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>

#include "platform/ui/UIImageView.h"
#include "snapforge/startup/LibraryClass.h"

namespace snapforge {
namespace {

constexpr platform::CGFloat kStripWidth = 77;
// The page a new selector shows before it is given its kind and index.
constexpr int kFirstPage = 3;

struct Strip {
    std::string_view image;
    platform::CGFloat height;
};

// The strip of a selector kind; null for an unknown kind.
const Strip* stripFor(int selectorType) {
    static constexpr Strip overlay{"overlay.png", 480};
    static constexpr Strip resolution{"resolution.png", 840};
    static constexpr Strip frameGuides{"frameGuides.png", 360};
    switch (selectorType) {
        case SelectorButton::kOverlaySelector:
            return &overlay;
        case SelectorButton::kResolutionSelector:
            return &resolution;
        case SelectorButton::kFrameGuideSelector:
            return &frameGuides;
        default:
            return nullptr;
    }
}

std::shared_ptr<platform::UIImageView> imageLayer(platform::CGRect frame, std::string_view fileName,
                                                  int tag) {
    auto layer = platform::UIImageView::create(frame);
    layer->setImage(imageNamed(fileName));
    layer->setTag(tag);
    return layer;
}

}  // namespace

std::shared_ptr<SelectorButton> SelectorButton::create(platform::CGRect frame) {
    auto button = std::make_shared<SelectorButton>();
    button->initWithFrame(frame);
    return button;
}

void SelectorButton::initWithFrame(platform::CGRect frame) {
    setObjcClass(libraryClass("SelectorButton", "UIView"));
    setFrame(frame);

    scrollView_ = platform::UIScrollView::create(
        platform::CGRectMake(0, 0, frame.size.width, frame.size.height));
    scrollView_->setPagingEnabled(true);
    scrollView_->setBackgroundColor(platform::UIColor::whiteColor());
    scrollView_->setShowsHorizontalScrollIndicator(false);
    scrollView_->setShowsVerticalScrollIndicator(false);
    addSubview(scrollView_);

    const Strip& overlay = *stripFor(kOverlaySelector);
    scrollView_->addSubview(imageLayer(platform::CGRectMake(0, 0, kStripWidth, overlay.height),
                                       overlay.image, kStripTag));
    scrollView_->setContentSize({kStripWidth, overlay.height});
    showPage(getOffsetByIndex(kFirstPage, kOverlaySelector));

    auto arrows =
        imageLayer(platform::CGRectMake(66, 11, 10, 36.5f), "scrollArrows.png", kScrollArrowsTag);
    arrows->setAlpha(0);
    addSubview(arrows);
    addSubview(imageLayer(platform::CGRectMake(0, 0, kStripWidth, kPageHeight),
                          "overlayActionBtn.png", kFrameTag));
    addSubview(imageLayer(platform::CGRectMake(56, 47.5f, 16, 9), "lightOff.png", kLightTag));
}

void SelectorButton::setSelectorType(int type, int index) {
    const Strip* strip = stripFor(type);
    if (strip == nullptr) {
        return;
    }
    if (auto stripView =
            std::dynamic_pointer_cast<platform::UIImageView>(scrollView_->viewWithTag(kStripTag))) {
        stripView->setFrame(platform::CGRectMake(0, 0, kStripWidth, strip->height));
        stripView->setImage(imageNamed(strip->image));
    }
    scrollView_->setContentSize({kStripWidth, strip->height});
    showPage(getOffsetByIndex(index, type));
}

int SelectorButton::getOffsetByIndex(int index, int /*selectorType*/) const {
    // The index may come from a damaged preferences file: the offset saturates, never overflows.
    const std::int64_t offset = std::int64_t{kPageHeight} * index;
    return static_cast<int>(std::clamp<std::int64_t>(offset, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

void SelectorButton::setIsSelected(bool selected) {
    isSelected_ = selected;
    blinkScrollArrows();
}

void SelectorButton::setScrollViewDelegate(std::weak_ptr<platform::UIScrollViewDelegate> delegate) {
    scrollView_->setDelegate(std::move(delegate));
}

void SelectorButton::blinkScrollArrows() {
    auto arrows = viewWithTag(kScrollArrowsTag);
    if (!arrows) {
        return;
    }
    platform::UIView::animate(
        1.0, 0, 0, [arrows] { arrows->setAlpha(1); },
        [arrows](bool) {
            platform::UIView::animate(
                0.5, 0, 0, [arrows] { arrows->setAlpha(0); },
                [arrows](bool) { arrows->setAlpha(0); });
        });
}

void SelectorButton::showPage(int offset) {
    scrollView_->scrollRectToVisible(
        platform::CGRectMake(0, static_cast<platform::CGFloat>(offset), kStripWidth, kPageHeight),
        false);
}

}  // namespace snapforge
