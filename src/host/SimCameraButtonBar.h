#pragma once

#include <memory>
#include <string_view>

#include "host/HostCalls.h"
#include "host/PLCameraView.h"
#include "host/SimCameraButton.h"
#include "host/SimCameraImageWellView.h"

namespace host {

// The camera app's bottom bar ("PLCameraButtonBar"): the last photo's thumbnail on the left and
// the shutter button in the middle, placed whenever the bar lays out. The bar lies over the
// lower edge of the preview and, like any view, takes the touches that land on it: what it
// covers is out of reach there. Touches it does not handle go on to the camera view.
class SimCameraButtonBar : public PLCameraButtonBar {
public:
    static constexpr platform::CGFloat kHeight = 96;
    static constexpr platform::CGSize kShutterSize{100, 72};
    static constexpr platform::CGSize kImageWellSize{50, 50};
    static constexpr platform::CGFloat kImageWellX = 7;

    static std::shared_ptr<SimCameraButtonBar> create(platform::CGRect frame);
    explicit SimCameraButtonBar(platform::CGRect frame);

    static void registerRuntimeClass();

    // Empty once the bar has been torn down.
    std::shared_ptr<SimCameraButton> shutterButton() const { return shutter_.lock(); }
    std::shared_ptr<SimCameraImageWellView> imageWell() const { return imageWell_.lock(); }

    bool isDeallocated() const { return deallocated_; }

    int hostCallCount(std::string_view selector) const { return calls_.count(selector); }

private:
    void hostLayoutSubviews();
    void hostDealloc();

    std::weak_ptr<SimCameraButton> shutter_;
    std::weak_ptr<SimCameraImageWellView> imageWell_;
    bool deallocated_ = false;
    HostCalls calls_;
};

}  // namespace host
