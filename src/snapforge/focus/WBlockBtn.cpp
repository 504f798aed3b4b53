#include "snapforge/focus/WBlockBtn.h"

#include "platform/ui/UIImageView.h"
#include "snapforge/startup/LibraryClass.h"

namespace snapforge {
namespace {

constexpr int kUnlockedIconTag = 1;
constexpr int kLockedIconTag = 2;

void addIcon(platform::UIView& button, std::string_view fileName, int tag, bool hidden) {
    auto icon = platform::UIImageView::create(platform::CGRectMake(10, 5, 18, 19.5f));
    icon->setImage(imageNamed(fileName));
    icon->setTag(tag);
    icon->setHidden(hidden);
    button.addSubview(icon);
}

void setIconHidden(platform::UIView& button, int tag, bool hidden) {
    if (auto icon = button.viewWithTag(tag)) {
        icon->setHidden(hidden);
    }
}

}  // namespace

std::shared_ptr<WBlockBtn> WBlockBtn::create(platform::CGRect frame) {
    auto button = std::make_shared<WBlockBtn>();
    button->initWithFrame(frame);
    return button;
}

void WBlockBtn::initWithFrame(platform::CGRect frame) {
    setObjcClass(libraryClass("WBlockBtn", "UIButton", [](platform::Class* cls) {
        platform::class_addMemberMethod<&WBlockBtn::toggleBtn>(cls, toggleBtnSelector);
    }));
    setFrame(frame);
    setTitleColor(platform::UIColor::redColor(), platform::UIControlStateSelected);
    setBackgroundImage(imageNamed("WBButton.png"), platform::UIControlStateNormal);
    addIcon(*this, "unlock.png", kUnlockedIconTag, false);
    addIcon(*this, "lock.png", kLockedIconTag, true);
}

void WBlockBtn::setTouchEvents() {
    addTarget(this, toggleBtnSelector.sel, platform::UIControlEventTouchDown);
}

void WBlockBtn::toggleBtn(platform::id sender) {
    auto* button = dynamic_cast<WBlockBtn*>(sender);
    if (button == nullptr) {
        return;
    }
    const bool locking = !button->isSelected();
    button->setSelected(locking);
    setIconHidden(*button, kUnlockedIconTag, locking);
    setIconHidden(*button, kLockedIconTag, !locking);
}

}  // namespace snapforge
