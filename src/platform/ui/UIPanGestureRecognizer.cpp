#include "platform/ui/UIPanGestureRecognizer.h"

#include "platform/ui/UIView.h"

namespace platform {

UIPanGestureRecognizer::UIPanGestureRecognizer(id target, SEL action)
    : UIGestureRecognizer(target, action) {
    setObjcClass(registerUIKitClass("UIPanGestureRecognizer", "UIGestureRecognizer"));
}

std::shared_ptr<UIPanGestureRecognizer> UIPanGestureRecognizer::create(id target, SEL action) {
    return std::make_shared<UIPanGestureRecognizer>(target, action);
}

}  // namespace platform
