#include "snapforge/camerabar/SettingsButton.h"

#include "snapforge/startup/LibraryClass.h"

namespace snapforge {

std::shared_ptr<SettingsButton> SettingsButton::create(platform::CGRect frame) {
    auto button = std::make_shared<SettingsButton>();
    button->initWithFrame(frame);
    return button;
}

void SettingsButton::initWithFrame(platform::CGRect frame) {
    setObjcClass(libraryClass("SettingsButton", "UIButton", [](platform::Class* cls) {
        platform::class_addMemberMethod<&SettingsButton::toggleBtn>(cls, toggleBtnSelector);
    }));
    setFrame(frame);
    setBackgroundImage(imageNamed("offSwitchEx.png"), platform::UIControlStateNormal);
    setBackgroundImage(imageNamed("onSwitchEx.png"), platform::UIControlStateSelected);
    setAdjustsImageWhenHighlighted(false);
}

void SettingsButton::setTouchEvents() {
    addTarget(this, toggleBtnSelector.sel, platform::UIControlEventTouchDown);
}

void SettingsButton::toggleBtn(platform::id sender) {
    if (auto* button = dynamic_cast<platform::UIButton*>(sender)) {
        button->setSelected(!button->isSelected());
    }
}

}  // namespace snapforge
