#pragma once

#include <filesystem>
#include <string_view>

#include "sim/Command.h"

namespace sim {

// Parses a whole scenario before anything runs. `folder` is where relative `prefs-file` paths
// are looked up. Throws ScenarioError naming the first bad line and what it expected there.
Scenario parseScenario(std::string_view text, const std::filesystem::path& folder);

}  // namespace sim
