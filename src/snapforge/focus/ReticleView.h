#pragma once

#include <array>
#include <atomic>
#include <memory>
#include <string_view>

#include "platform/ui/UIImageView.h"

namespace snapforge {

// What tells the two reticles apart: their drawing and the speed of their animation.
struct ReticleLook {
    std::array<std::string_view, 3> animationFrames;
    double animationDuration;
};

// A reticle over the preview: an image view with a three-frame animation (played while the
// camera adjusts) and a lock badge shown while its point is locked.
class ReticleView : public platform::UIImageView {
public:
    const std::shared_ptr<platform::UIImageView>& lockImageView() const { return lockImageView_; }

    bool isLocked() const { return isLocked_; }
    // Changes the flag only; the badge keeps its visibility.
    void setIsLocked(bool locked) { isLocked_ = locked; }
    // Sets the flag and shows or hides the badge with it.
    void setLockedState(bool locked);
    // Turns the badge upright for the device orientation (1-4), the reticle itself stays.
    void rotateLock(int orientation);

protected:
    void initWithFrame(platform::CGRect frame, const ReticleLook& look);

private:
    std::shared_ptr<platform::UIImageView> lockImageView_;
    std::atomic<bool> isLocked_{false};
};

}  // namespace snapforge
