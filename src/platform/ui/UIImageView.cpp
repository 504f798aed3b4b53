#include "platform/ui/UIImageView.h"

#include <cmath>

#include "platform/foundation/RunLoop.h"

namespace platform {

UIImageView::UIImageView(CGRect frame) : UIView(frame) {
    setObjcClass(registerUIKitClass("UIImageView", "UIView"));
    setUserInteractionEnabled(false);
}

std::shared_ptr<UIImageView> UIImageView::create(CGRect frame) {
    return std::make_shared<UIImageView>(frame);
}

std::shared_ptr<UIImageView> UIImageView::createWithImage(std::shared_ptr<UIImage> image) {
    const CGSize size = image ? image->size() : CGSize{};
    auto view = create({{0, 0}, size});
    view->setImage(std::move(image));
    return view;
}

void UIImageView::setAnimationImages(std::vector<std::shared_ptr<UIImage>> images) {
    animationImages_ = std::move(images);
    if (animationImages_.empty()) {
        animating_ = false;
    }
}

double UIImageView::passDuration() const {
    return animationDuration_ > 0 ? animationDuration_
                                  : static_cast<double>(animationImages_.size()) / 30.0;
}

void UIImageView::startAnimating() {
    if (animationImages_.empty() || isAnimating()) {
        return;
    }
    animating_ = true;
    animationStart_ = RunLoop::main().now();
}

void UIImageView::stopAnimating() {
    animating_ = false;
}

bool UIImageView::isAnimating() const {
    if (!animating_ || animationImages_.empty()) {
        return false;
    }
    const double elapsed = RunLoop::main().now() - animationStart_;
    return animationRepeatCount_ <= 0 || elapsed < animationRepeatCount_ * passDuration();
}

std::shared_ptr<UIImage> UIImageView::displayedImage() const {
    if (!isAnimating()) {
        return image_;
    }
    const double perImage = passDuration() / static_cast<double>(animationImages_.size());
    const double elapsed = RunLoop::main().now() - animationStart_;
    const auto frame = perImage > 0 ? static_cast<std::size_t>(std::floor(elapsed / perImage)) : 0;
    return animationImages_[frame % animationImages_.size()];
}

}  // namespace platform
