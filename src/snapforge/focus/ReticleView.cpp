#include "snapforge/focus/ReticleView.h"

#include <vector>

#include "snapforge/geometry/Helper.h"
#include "snapforge/startup/LibraryClass.h"

namespace snapforge {
void ReticleView::initWithFrame(platform::CGRect frame, const ReticleLook& look) {
    setFrame(frame);

    lockImageView_ = platform::UIImageView::createWithImage(imageNamed("objectLock2.png"));
    lockImageView_->setHidden(true);
    // Centred by the badge image's own size; the badge is always drawn 50 x 50.
    const platform::CGSize badge = lockImageView_->frame().size;
    lockImageView_->setFrame(platform::CGRectMake(
        frame.size.width / 2 - badge.width / 2, frame.size.height / 2 - badge.height / 2, 50, 50));
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

}  // namespace snapforge
