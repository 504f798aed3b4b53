#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/Geometry.h"

namespace platform {
class UIImage;
class UIView;
}

namespace sim {

// What a picture's <image> refers to for an image: a URI, or empty when the image cannot be
// drawn (it is then named instead).
using PictureLink = std::function<std::string(const platform::UIImage&)>;

// The geometry and alpha a view shows at a moment: an animation in flight shows its
// on-screen value, otherwise the model value holds.
struct Placement {
    platform::CGPoint center;
    platform::CGRect bounds;
    platform::CGAffineTransform transform;
    platform::CGFloat alpha;
};
Placement placementOf(const platform::UIView& view, double time);

// The image's file as a data URI, so that the picture stands alone; empty when unreadable.
std::string embeddedPicture(const platform::UIImage& picture);

// How the preview's scene moves: drifting with time as a live preview does, or still, so that
// the screen drawn again while nothing happens is the same picture and no time is written into
// it (the live camera sends a frame only when it differs).
enum class SceneMotion { Drifting, Still };

// An SVG picture of the current process's screen at a virtual time, as a user sees it: the
// visible windows from the lowest level up, the host's own views drawn as the host draws them
// (the live preview shows a scene), each view with its background, picture, alpha and transform
// (the on-screen values of animations in flight, else the model values), and label and button
// texts in their size, colour and alignment. Image views without a picture are named.
std::string svgSnapshot(double time, const PictureLink& link = embeddedPicture,
                        SceneMotion motion = SceneMotion::Drifting);

// Text made safe for XML character data and attribute values: markup characters escaped,
// characters XML cannot carry and invalid UTF-8 replaced.
std::string xmlEscape(std::string_view text);

}  // namespace sim
