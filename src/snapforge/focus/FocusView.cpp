#include "snapforge/focus/FocusView.h"

#include "snapforge/startup/LibraryClass.h"

namespace snapforge {

std::shared_ptr<FocusView> FocusView::create(platform::CGRect frame) {
    auto view = std::make_shared<FocusView>();
    view->setObjcClass(libraryClass("FocusView", "UIImageView"));
    view->initWithFrame(frame, {{"focus4.png", "focus5.png", "focus6.png"}, 0.2});
    return view;
}

}  // namespace snapforge
