#include "host/SimCameraButton.h"

#include "host/HostClasses.h"

namespace host {

std::shared_ptr<SimCameraButton> SimCameraButton::create(platform::CGRect frame) {
    return std::make_shared<SimCameraButton>(frame);
}

SimCameraButton::SimCameraButton(platform::CGRect frame) : UIButton(frame) {
    setObjcClass(hostClass("PLCameraButton"));
}

void SimCameraButton::registerRuntimeClass() {
    platform::registerUIKitClass("PLCameraButton", "UIButton");
}

}  // namespace host
