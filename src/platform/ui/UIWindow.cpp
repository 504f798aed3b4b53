#include "platform/ui/UIWindow.h"

#include "platform/ui/UIScreen.h"
#include "platform/ui/UIWindowList.h"

namespace platform {

UIWindow::UIWindow(CGRect frame) : UIView(frame) {
    setObjcClass(registerUIKitClass("UIWindow", "UIView"));
    UIView::setHidden(true);
    const auto& list = UIScreen::mainScreen().windows_;
    list->add(this);
    list_ = list;
}

UIWindow::~UIWindow() {
    if (auto list = list_.lock()) {
        list->remove(this);
    }
}

std::shared_ptr<UIWindow> UIWindow::create(CGRect frame) {
    return std::make_shared<UIWindow>(frame);
}

void UIWindow::setHidden(bool hidden) {
    const bool wasHidden = isHidden();
    UIView::setHidden(hidden);
    if (wasHidden && !hidden) {
        if (auto list = list_.lock()) {
            list->madeVisible(this);
        }
    }
}

void UIWindow::makeKeyAndVisible() {
    makeKeyWindow();
    UIView::setHidden(false);
    if (auto list = list_.lock()) {
        list->madeVisible(this);
    }
}

void UIWindow::makeKeyWindow() {
    if (auto list = list_.lock()) {
        list->makeKey(this);
    }
}

bool UIWindow::isKeyWindow() const {
    auto list = list_.lock();
    return list && list->key().get() == this;
}

}  // namespace platform
