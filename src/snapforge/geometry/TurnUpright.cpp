#include "snapforge/geometry/TurnUpright.h"

#include "platform/ui/UIView.h"
#include "snapforge/geometry/Helper.h"

namespace snapforge {

void turnUpright(platform::UIView& view, int orientation, double duration) {
    const platform::CGAffineTransform turn = Helper::getTransformation(orientation);
    platform::UIView::beginAnimations("w");
    platform::UIView::setAnimationDuration(duration);
    view.setTransform(turn);
    platform::UIView::commitAnimations();
}

}  // namespace snapforge
