#pragma once

#include <memory>

#include "platform/ui/UIView.h"

namespace host {

// The thumbnail of the last photo in the camera app's button bar ("PLCameraImageWellView").
class SimCameraImageWellView : public platform::UIView {
public:
    static std::shared_ptr<SimCameraImageWellView> create(
        platform::CGRect frame = platform::CGRectZero);
    explicit SimCameraImageWellView(platform::CGRect frame);

    static void registerRuntimeClass();

    // The photo the thumbnail shows; 0 before the first.
    int photoNumber() const { return photoNumber_; }
    void showPhoto(int number) { photoNumber_ = number; }

private:
    int photoNumber_ = 0;
};

}  // namespace host
