#pragma once

#include <memory>
#include <vector>

#include "platform/ui/UIImage.h"
#include "platform/ui/UIView.h"

namespace platform {

// A view showing an image, or cycling through animation images while animating. It takes no
// touches: they go to the view beneath it (usually its superview).
class UIImageView : public UIView {
public:
    explicit UIImageView(CGRect frame = CGRectZero);
    static std::shared_ptr<UIImageView> create(CGRect frame = CGRectZero);
    // A view the size of the image, at the origin (0 x 0 for a null image).
    static std::shared_ptr<UIImageView> createWithImage(std::shared_ptr<UIImage> image);

    std::shared_ptr<UIImage> image() const { return image_; }
    void setImage(std::shared_ptr<UIImage> image) { image_ = std::move(image); }

    const std::vector<std::shared_ptr<UIImage>>& animationImages() const {
        return animationImages_;
    }
    void setAnimationImages(std::vector<std::shared_ptr<UIImage>> images);
    // One pass over all images; 0 means 1/30 s per image.
    double animationDuration() const { return animationDuration_; }
    void setAnimationDuration(double duration) { animationDuration_ = duration; }
    // 0 repeats until stopped.
    int animationRepeatCount() const { return animationRepeatCount_; }
    void setAnimationRepeatCount(int count) { animationRepeatCount_ = count; }

    // Without animation images nothing starts. A limited repeat count stops by itself.
    void startAnimating();
    void stopAnimating();
    bool isAnimating() const;

    // The image on screen now: the current animation frame while animating, else `image`.
    std::shared_ptr<UIImage> displayedImage() const;

private:
    double passDuration() const;

    std::shared_ptr<UIImage> image_;
    std::vector<std::shared_ptr<UIImage>> animationImages_;
    double animationDuration_ = 0;
    int animationRepeatCount_ = 0;
    bool animating_ = false;
    double animationStart_ = 0;
};

}  // namespace platform
