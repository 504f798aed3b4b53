#include "host/SimCameraButtonBar.h"

#include "host/HostClasses.h"

namespace host {

std::shared_ptr<SimCameraButtonBar> SimCameraButtonBar::create(platform::CGRect frame) {
    return std::make_shared<SimCameraButtonBar>(frame);
}

SimCameraButtonBar::SimCameraButtonBar(platform::CGRect frame) {
    setObjcClass(hostClass("PLCameraButtonBar"));
    setFrame(frame);
    auto imageWell = SimCameraImageWellView::create();
    auto shutter = SimCameraButton::create();
    addSubview(imageWell);
    addSubview(shutter);
    imageWell_ = imageWell;
    shutter_ = shutter;
}

void SimCameraButtonBar::registerRuntimeClass() {
    platform::Class* cls = platform::registerUIKitClass("PLCameraButtonBar", "UIView");
    platform::class_addMemberMethod<&SimCameraButtonBar::hostLayoutSubviews>(cls,
                                                                             sel::layoutSubviews);
    platform::class_addMemberMethod<&SimCameraButtonBar::hostDealloc>(cls, sel::dealloc);
}

// The thumbnail sits at the left edge and the shutter in the middle, both centred vertically.
void SimCameraButtonBar::hostLayoutSubviews() {
    calls_.note(sel::layoutSubviews.sel);
    const platform::CGSize size = bounds().size;
    if (auto imageWell = imageWell_.lock()) {
        imageWell->setFrame(
            {{kImageWellX, (size.height - kImageWellSize.height) / 2}, kImageWellSize});
    }
    if (auto shutter = shutter_.lock()) {
        shutter->setFrame(
            {{(size.width - kShutterSize.width) / 2, (size.height - kShutterSize.height) / 2},
             kShutterSize});
    }
}

void SimCameraButtonBar::hostDealloc() {
    calls_.note(sel::dealloc.sel);
    deallocated_ = true;
    const auto subviews = this->subviews();
    for (const auto& subview : subviews) {
        subview->removeFromSuperview();
    }
}

}  // namespace host
