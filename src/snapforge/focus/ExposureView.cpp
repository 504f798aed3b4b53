#include "snapforge/focus/ExposureView.h"

#include "snapforge/startup/LibraryClass.h"

namespace snapforge {

std::shared_ptr<ExposureView> ExposureView::create(platform::CGRect frame) {
    auto view = std::make_shared<ExposureView>();
    view->setObjcClass(libraryClass("ExposureView", "UIImageView"));
    view->initWithFrame(frame, {{"exposure2.png", "exposure3.png", "exposure4.png"}, 0.1});
    return view;
}

}  // namespace snapforge
