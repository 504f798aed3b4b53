#pragma once

#include <memory>

#include "host/PLCameraView.h"

namespace host {

// The camera app's view over the live preview ("PLPreviewOverlayView").
class SimPreviewOverlayView : public PLPreviewOverlayView {
public:
    // An overlay without a frame yet: the app sends it initWithFrame: through the runtime.
    static std::shared_ptr<SimPreviewOverlayView> create();
    SimPreviewOverlayView();

    static void registerRuntimeClass();

private:
    platform::id hostInitWithFrame(platform::CGRect frame);
};

}  // namespace host
