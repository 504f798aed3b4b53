#pragma once

#include <memory>
#include <string>

#include "sim/Target.h"

namespace platform {
class UIView;
}

namespace sim {

// The library's view a target names, or null when the library has none at the moment (also
// for targets of features the library does not have yet).
std::shared_ptr<platform::UIView> libraryView(Target target);

// The file name of the framing aid's picture over the preview: "empty" for the picture view
// without a picture, "none" without the view.
std::string framingPicture();

}  // namespace sim
