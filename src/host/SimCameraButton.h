#pragma once

#include <memory>

#include "platform/ui/UIButton.h"

namespace host {

// The camera app's shutter button ("PLCameraButton").
class SimCameraButton : public platform::UIButton {
public:
    static std::shared_ptr<SimCameraButton> create(platform::CGRect frame = platform::CGRectZero);
    explicit SimCameraButton(platform::CGRect frame);

    static void registerRuntimeClass();
};

}  // namespace host
