#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Geometry.h"

namespace platform {
class UIView;
}

namespace live {

// One view under a point of the screen, as the inspector lists it.
struct InspectedView {
    std::string className;
    std::optional<std::string> target;  // the simulator's name for it, where it has one
    platform::CGRect screenFrame;
    double windowLevel = 0;
    double alpha = 1;
    bool hidden = false;
    int tag = 0;
    std::optional<std::string> picture;  // the file name of the picture it shows
};

using TargetNamer = std::function<std::optional<std::string>(const platform::UIView&)>;

// Every view of the visible windows whose box on screen holds the point, frontmost first (the
// highest window first, and in a window the last drawn first), hidden ones too, so that an
// engineer sees what covers what. Runs in the phone's process.
std::vector<InspectedView> viewsUnder(platform::CGPoint screenPoint, const TargetNamer& targetOf);

}  // namespace live
