#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Geometry.h"

namespace platform {
class UIView;
class UIWindow;
}

// What a user could see of a view on the screen.
namespace sim::inspect {

// On screen: in a visible window, and neither it nor any ancestor hidden or (nearly)
// transparent.
bool isShowing(const platform::UIView& view);
// The same against the screen's visible windows, found once for many views.
bool isShowing(const platform::UIView& view,
               const std::vector<std::shared_ptr<platform::UIWindow>>& visibleWindows);

// The box around the view's bounds in screen coordinates.
platform::CGRect screenFrame(const platform::UIView& view);

// The view's centre in screen coordinates.
platform::CGPoint screenCentre(const platform::UIView& view);

// Where a finger touches the view, in screen coordinates: its centre, or when something above
// takes the touches there, the point nearest the centre where the view itself gets them.
// Nothing when the view takes touches but none reach it. A view that takes no touches of its
// own (a picture, a label) is touched at its centre, where its superviews hear the touch.
std::optional<platform::CGPoint> touchPoint(const platform::UIView& view);

// Whether the view shows its subviews only inside its bounds (a scroll view always does).
bool clipsSubviews(const platform::UIView& view);

// The views a picture of the screen shows at a screen point, front first: the showing views
// whose bounds hold the point and that no clipping view around them cuts off there. The
// picture paints the visible windows from the lowest up, and in a view its subviews in order
// over the view itself, so the front view comes from the highest window, the last subview
// and the deepest view.
std::vector<std::shared_ptr<platform::UIView>> viewsAt(platform::CGPoint screenPoint);

// What a user sees on top at a screen point: the first of `viewsAt` that is not a window's own
// background. Unlike a touch, it stops at pictures and labels too. Null when no view shows
// there.
std::shared_ptr<platform::UIView> frontmostViewAt(platform::CGPoint screenPoint);

// The top left corner of the view's untransformed frame: where the view stands, whatever
// scaling or turning it shows for a moment.
platform::CGPoint standingOrigin(const platform::UIView& view);

// The view's runtime class name ("PLCameraView"), or "UIView" for a view without one.
std::string className(const platform::UIView& view);

}  // namespace sim::inspect
