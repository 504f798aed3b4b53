#include "snapforge/geometry/Helper.h"

#include <algorithm>

#include "platform/ui/UIApplication.h"

namespace snapforge {

CGAffineTransform Helper::getTransformation(int orientation) {
    switch (orientation) {
        case 2:
            return {-1, 0, 0, -1, 0, 0};
        case 3:
            return {0, 1, -1, 0, 0, 0};
        case 4:
            return {0, -1, 1, 0, 0, 0};
        default:
            return platform::CGAffineTransformIdentity;
    }
}

CGPoint Helper::getOrientationOffsetPoint(CGRect rect, CGPoint basePoint) {
    const double h = rect.size.width / 2;
    const double oneAndHalf = 1.5 * h;
    double dx = 0;
    double dy = 0;
    switch (platform::UIApplication::sharedApplication().statusBarOrientation()) {
        case 1:
            dx = h - 5;
            dy = h - 5;
            break;
        case 2:
            dx = oneAndHalf - 22;
            dy = oneAndHalf - 33;
            break;
        case 3:
            dx = oneAndHalf - 28;
            dy = h - 10;
            break;
        case 4:
            dx = h + 5;
            dy = oneAndHalf - 28;
            break;
        default:
            return {0, 0};
    }
    return {static_cast<float>(basePoint.x - dx), static_cast<float>(basePoint.y - dy)};
}

CGPoint Helper::boxPoint(CGPoint point) {
    return {std::clamp(point.x, 0.0f, 1.0f), std::clamp(point.y, 0.0f, 1.0f)};
}

}  // namespace snapforge
