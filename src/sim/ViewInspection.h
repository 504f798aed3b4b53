#pragma once

#include <string>

#include "platform/Geometry.h"

namespace platform {
class UIView;
}

// What a user could see of a view on the screen.
namespace sim::inspect {

// On screen: in a visible window, and neither it nor any ancestor hidden or (nearly)
// transparent.
bool isShowing(const platform::UIView& view);

// The box around the view's bounds in screen coordinates.
platform::CGRect screenFrame(const platform::UIView& view);

// Where a finger touches the view: its centre in screen coordinates.
platform::CGPoint screenCentre(const platform::UIView& view);

// The view's runtime class name ("PLCameraView"), or "UIView" for a view without one.
std::string className(const platform::UIView& view);

}  // namespace sim::inspect
