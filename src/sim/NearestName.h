#pragma once

#include <string_view>
#include <vector>

namespace sim {

// The name closest to a mistyped word (fewest letters to add, drop or change, case ignored),
// for a "did you mean" hint; empty when there are no names.
std::string_view nearestName(std::string_view word, const std::vector<std::string_view>& names);

}  // namespace sim
