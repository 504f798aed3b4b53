#include "snapforge/camerabar/MessageLabel.h"

#include "platform/ui/UIScreen.h"
#include "snapforge/geometry/Helper.h"
#include "snapforge/startup/LibraryClass.h"

namespace snapforge {
namespace {

constexpr platform::CGFloat kWidth = 320;
constexpr platform::CGFloat kHeight = 20;

// Where a message reads best in an orientation, on a screen screenWidth points wide.
platform::CGPoint originFor(int orientation, platform::CGFloat screenWidth) {
    const auto centred = static_cast<platform::CGFloat>(static_cast<int>(screenWidth / 2 - 160));
    switch (orientation) {
        case 1:
            return {centred, 300};
        case 2:
            return {centred, 130};
        case 3:
            return {-90, 220};
        case 4:
            return {90, 210};
        default:
            return {centred, 275};
    }
}

}  // namespace

std::shared_ptr<MessageLabel> MessageLabel::create(int orientation) {
    auto message = std::make_shared<MessageLabel>();
    message->initWithOrientation(orientation);
    return message;
}

void MessageLabel::initWithOrientation(int orientation) {
    setObjcClass(libraryClass("MessageLabel", "UIWindow"));
    const platform::CGPoint origin =
        originFor(orientation, platform::UIScreen::mainScreen().bounds().size.width);
    setFrame(platform::CGRectMake(origin.x, origin.y, kWidth, kHeight));
    setWindowLevel(kLibraryWindowLevel);
    setBackgroundColor(platform::UIColor::clearColor());

    msgLabel_ = whiteLabel(platform::CGRectMake(0, 0, kWidth, kHeight), 16, false);
    msgLabel_->setShadowColor(platform::UIColor::darkGrayColor());
    msgLabel_->setShadowOffset({1, 1});
    addSubview(msgLabel_);
    setHidden(true);
    msgLabel_->setTransform(Helper::getTransformation(orientation));
}

void MessageLabel::setText(std::string text) {
    msgLabel_->setText(std::move(text));
}

std::string MessageLabel::text() const {
    return msgLabel_->text();
}

void MessageLabel::rotate(int /*orientation*/) {}

}  // namespace snapforge
