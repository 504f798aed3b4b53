#include "snapforge/focus/ReticleView.h"

#include <vector>

#include "snapforge/geometry/Helper.h"
#include "snapforge/startup/LibraryClass.h"

namespace snapforge {
namespace {

constexpr ReticleLook kFocusLook{{"focus4.png", "focus5.png", "focus6.png"}, 0.2};
constexpr ReticleLook kExposureLook{{"exposure2.png", "exposure3.png", "exposure4.png"}, 0.1};

}  // namespace

void ReticleView::initWithFrame(platform::CGRect frame, const ReticleLook& look) {
    setFrame(frame);

    lockImageView_ = platform::UIImageView::create(imageNamed("objectLock2.png"));
    lockImageView_->setHidden(true);
    // Centred by the badge image's own size; the badge is always drawn 50 x 50.
    const platform::CGSize badge = lockImageView_->frame().size;
    lockImageView_->setFrame(platform::CGRectMake(frame.size.width / 2 - badge.width / 2,
                                                  frame.size.height / 2 - badge.height / 2, 50,
                                                  50));
    addSubview(lockImageView_);

    std::vector<std::shared_ptr<platform::UIImage>> frames;
    for (std::string_view name : look.animationFrames) {
        frames.push_back(imageNamed(name));
    }
    setAnimationImages(frames);
    setAnimationDuration(look.animationDuration);
    setAnimationRepeatCount(0);
    setImage(frames.front());
}

void ReticleView::setLockedState(bool locked) {
    isLocked_ = locked;
    lockImageView_->setHidden(!locked);
}

void ReticleView::rotateLock(int orientation) {
    platform::UIView::beginAnimations("w");
    platform::UIView::setAnimationDuration(0.4);
    lockImageView_->setTransform(Helper::getTransformation(orientation));
    platform::UIView::commitAnimations();
}

std::shared_ptr<FocusView> FocusView::create(platform::CGRect frame) {
    auto view = std::make_shared<FocusView>();
    view->setObjcClass(libraryClass("FocusView", "UIImageView"));
    view->initWithFrame(frame, kFocusLook);
    return view;
}

std::shared_ptr<ExposureView> ExposureView::create(platform::CGRect frame) {
    auto view = std::make_shared<ExposureView>();
    view->setObjcClass(libraryClass("ExposureView", "UIImageView"));
    view->initWithFrame(frame, kExposureLook);
    return view;
}

}  // namespace snapforge
