#include "snapforge/timed/StopButton.h"

#include "snapforge/geometry/TurnUpright.h"
#include "snapforge/startup/LibraryClass.h"

namespace snapforge {
namespace {

const platform::Selector<void(platform::id)> stopPressSelector{"stopPress:"};

}  // namespace

std::shared_ptr<StopButton> StopButton::create(platform::CGRect frame) {
    auto button = std::make_shared<StopButton>();
    button->initWithFrame(frame);
    return button;
}

void StopButton::initWithFrame(platform::CGRect frame) {
    setObjcClass(libraryClass("StopButton", "UIWindow", [](platform::Class* cls) {
        platform::class_addMemberMethod<&StopButton::stopPress>(cls, stopPressSelector);
    }));
    setFrame(frame);
    // Above the countdown where the two overlap.
    setWindowLevel(kLibraryWindowLevel + 1);
    const platform::CGRect inside = platform::CGRectMake(0, 0, frame.size.width, frame.size.height);

    background_ = platform::UIImageView::create(inside);
    background_->setImage(imageNamed("whiteDial.png"));
    addSubview(background_);

    stopButton_ = platform::UIButton::create(inside);
    stopButton_->addTarget(this, stopPressSelector.sel, platform::UIControlEventTouchUpInside);
    addSubview(stopButton_);
    setHidden(true);
}

void StopButton::stopPress(platform::id /*sender*/) {}

void StopButton::_rotate(int orientation) {
    turnUpright(*this, orientation, 0.4);
}

}  // namespace snapforge
