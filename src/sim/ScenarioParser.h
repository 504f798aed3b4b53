#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "sim/Command.h"

namespace sim {

// What the lines before the current one did to the process and the camera. A scenario read one
// line at a time (the live console) keeps it from line to line.
struct ParseState {
    std::filesystem::path folder;
    std::optional<std::string> bundleId;  // set by the first launch
    bool cameraOpen = false;
    std::optional<int> deviceLine;
};

// Parses a whole scenario before anything runs. `folder` is where relative `prefs-file` paths
// are looked up. Throws ScenarioError naming the first bad line and what it expected there.
Scenario parseScenario(std::string_view text, const std::filesystem::path& folder);

// One line: its command, or nothing for a blank or comment line. Throws ScenarioError.
std::optional<Command> parseLine(std::string_view line, int lineNumber, ParseState& state);

// A query asked on its own ("reticle.focus", "visible stop-button"), as the live console takes
// one: nothing when the line does not begin with a query's name. Throws ScenarioError when its
// target or key is wrong or more follows.
std::optional<Query> parseQuery(std::string_view line, int lineNumber);

}  // namespace sim
