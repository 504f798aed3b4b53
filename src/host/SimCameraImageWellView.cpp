#include "host/SimCameraImageWellView.h"

#include "host/HostClasses.h"

namespace host {

std::shared_ptr<SimCameraImageWellView> SimCameraImageWellView::create(platform::CGRect frame) {
    return std::make_shared<SimCameraImageWellView>(frame);
}

SimCameraImageWellView::SimCameraImageWellView(platform::CGRect frame) : UIView(frame) {
    setObjcClass(hostClass("PLCameraImageWellView"));
}

void SimCameraImageWellView::registerRuntimeClass() {
    platform::registerUIKitClass("PLCameraImageWellView", "UIView");
}

}  // namespace host
