#include "snapforge/camerabar/ActionButton.h"

#include "snapforge/startup/LibraryClass.h"

namespace snapforge {

std::shared_ptr<ActionButton> ActionButton::create(platform::CGRect frame) {
    auto button = std::make_shared<ActionButton>();
    button->initWithFrame(frame);
    return button;
}

void ActionButton::initWithFrame(platform::CGRect frame) {
    setObjcClass(libraryClass("ActionButton", "UIButton", [](platform::Class* cls) {
        platform::class_addMemberMethod<&ActionButton::toggleBtn>(cls, toggleBtnSelector);
    }));
    setFrame(frame);
    setBackgroundImage(imageNamed("actionBtnExOff.png"), platform::UIControlStateNormal);
    setBackgroundImage(imageNamed("actionBtnExOn.png"), platform::UIControlStateSelected);
}

void ActionButton::setTouchEvents() {
    addTarget(this, toggleBtnSelector.sel, platform::UIControlEventTouchDown);
}

void ActionButton::toggleBtn(platform::id sender) {
    auto* button = dynamic_cast<platform::UIButton*>(sender);
    if (button == nullptr) {
        return;
    }
    platform::UIView::beginAnimations("pull up clipsView");
    platform::UIView::setAnimationDuration(0.5);
    button->setSelected(!button->isSelected());
    platform::UIView::commitAnimations();
}

}  // namespace snapforge
