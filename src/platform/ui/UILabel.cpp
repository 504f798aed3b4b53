#include "platform/ui/UILabel.h"

namespace platform {

UILabel::UILabel(CGRect frame) : UIView(frame) {
    setObjcClass(registerUIKitClass("UILabel", "UIView"));
    setUserInteractionEnabled(false);
    setBackgroundColor(UIColor::whiteColor());
}

std::shared_ptr<UILabel> UILabel::create(CGRect frame) {
    return std::make_shared<UILabel>(frame);
}

}  // namespace platform
