#pragma once

#include <string_view>

namespace sim {

// The scenario `snapforge-sim` runs when it is given none. It must always pass.
extern const std::string_view kDefaultTour;

}  // namespace sim
