#include "host/SimPreviewOverlayView.h"

#include "host/HostClasses.h"

namespace host {

std::shared_ptr<SimPreviewOverlayView> SimPreviewOverlayView::create() {
    return std::make_shared<SimPreviewOverlayView>();
}

SimPreviewOverlayView::SimPreviewOverlayView() {
    setObjcClass(hostClass("PLPreviewOverlayView"));
}

void SimPreviewOverlayView::registerRuntimeClass() {
    platform::Class* cls = platform::registerUIKitClass("PLPreviewOverlayView", "UIView");
    platform::class_addMemberMethod<&SimPreviewOverlayView::hostInitWithFrame>(cls,
                                                                               sel::initWithFrame);
}

platform::id SimPreviewOverlayView::hostInitWithFrame(platform::CGRect frame) {
    setFrame(frame);
    return this;
}

}  // namespace host
