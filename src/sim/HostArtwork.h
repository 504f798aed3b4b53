#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Geometry.h"

// What the host camera's own views look like in a snapshot: the host draws them itself, so
// they are not pictures of the image folder.
namespace sim::artwork {

// The shared definitions of the drawings (gradients, the preview's scene), for a picture's
// <defs>. The scene changes a little with time, as a live preview does.
std::string definitions(double time);

// The drawing of a host view of that class over its bounds, or nothing for a class the host
// does not draw itself.
std::optional<std::string> hostView(std::string_view className, const platform::CGRect& bounds);

// Whether the host draws views of that class itself.
bool drawsHostView(std::string_view className);

// The camera view while its iris is closed: the blades shut over the preview.
std::string closedIris(const platform::CGRect& bounds);

}  // namespace sim::artwork
