#include "platform/ui/UIButton.h"

namespace platform {

UIButton::UIButton(CGRect frame) : UIControl(frame) {
    setObjcClass(registerUIKitClass("UIButton", "UIControl"));
}

std::shared_ptr<UIButton> UIButton::create(CGRect frame) {
    return std::make_shared<UIButton>(frame);
}

std::shared_ptr<UIButton> UIButton::buttonWithType(UIButtonType type) {
    auto button = create();
    button->buttonType_ = type;
    return button;
}

template <class T>
T UIButton::lookup(const std::map<UIControlState, T>& values, UIControlState state) {
    if (auto found = values.find(state); found != values.end()) {
        return found->second;
    }
    if (auto normal = values.find(UIControlStateNormal); normal != values.end()) {
        return normal->second;
    }
    return T{};
}

void UIButton::setBackgroundImage(std::shared_ptr<UIImage> image, UIControlState state) {
    backgroundImages_[state] = std::move(image);
}

std::shared_ptr<UIImage> UIButton::backgroundImageForState(UIControlState state) const {
    return lookup(backgroundImages_, state);
}

void UIButton::setImage(std::shared_ptr<UIImage> image, UIControlState state) {
    images_[state] = std::move(image);
}

std::shared_ptr<UIImage> UIButton::imageForState(UIControlState state) const {
    return lookup(images_, state);
}

void UIButton::setTitle(std::optional<std::string> title, UIControlState state) {
    titles_[state] = std::move(title);
}

std::optional<std::string> UIButton::titleForState(UIControlState state) const {
    return lookup(titles_, state);
}

void UIButton::setTitleColor(std::optional<UIColor> color, UIControlState state) {
    titleColors_[state] = color;
}

std::optional<UIColor> UIButton::titleColorForState(UIControlState state) const {
    if (auto color = lookup(titleColors_, state)) {
        return color;
    }
    // A button's titles are white unless told otherwise.
    return UIColor::whiteColor();
}

std::shared_ptr<UIImage> UIButton::currentBackgroundImage() const {
    return backgroundImageForState(state());
}

std::shared_ptr<UIImage> UIButton::currentImage() const {
    return imageForState(state());
}

std::optional<std::string> UIButton::currentTitle() const {
    return titleForState(state());
}

std::optional<UIColor> UIButton::currentTitleColor() const {
    return titleColorForState(state());
}

}  // namespace platform
