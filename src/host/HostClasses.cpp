#include "host/HostClasses.h"

#include "host/SimCameraButton.h"
#include "host/SimCameraButtonBar.h"
#include "host/SimCameraController.h"
#include "host/SimCameraImageWellView.h"
#include "host/SimCameraView.h"
#include "host/SimPreviewOverlayView.h"
#include "host/SimSwipeBlockingScrollView.h"

namespace host {

void registerHostClasses() {
    if (platform::objc_getClass("PLCameraView") != nullptr) {
        return;
    }
    SimCameraController::registerRuntimeClass();
    SimCameraImageWellView::registerRuntimeClass();
    SimCameraButton::registerRuntimeClass();
    SimCameraButtonBar::registerRuntimeClass();
    SimPreviewOverlayView::registerRuntimeClass();
    SimSwipeBlockingScrollView::registerRuntimeClass();
    // Last: its presence marks the registration as done.
    SimCameraView::registerRuntimeClass();
}

platform::Class* hostClass(std::string_view name) {
    registerHostClasses();
    return platform::objc_getClass(name);
}

}  // namespace host
