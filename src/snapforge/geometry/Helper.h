#pragma once

#include "platform/Geometry.h"

namespace snapforge {

using platform::CGAffineTransform;
using platform::CGPoint;
using platform::CGRect;

// Orientation geometry shared by everything the library turns: orientations are 1 portrait,
// 2 portrait upside down, 3 and 4 the two landscapes.
class Helper {
public:
    // The transform that keeps a control upright in the orientation (identity for other values).
    static CGAffineTransform getTransformation(int orientation);
    // p less the offset at which a reticle of rect's width sits under the finger, for the
    // status bar's orientation.
    static CGPoint getOrientationOffsetPoint(CGRect rect, CGPoint basePoint);
    // Each coordinate clamped to 0..1, as points of interest must be.
    static CGPoint boxPoint(CGPoint point);
};

}  // namespace snapforge
