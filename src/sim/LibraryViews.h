#pragma once

#include <memory>

#include "sim/Target.h"

namespace platform {
class UIView;
}

namespace sim {

// The library's view a target names, or null when the library has none at the moment (also
// for targets of features the library does not have yet).
std::shared_ptr<platform::UIView> libraryView(Target target);

}  // namespace sim
