#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/Command.h"

namespace fuzzing {

// The longest sequence one input becomes, so that every input runs quickly.
inline constexpr std::size_t kMaxSteps = 48;

// Turns arbitrary bytes into user and host events a scenario can hold: launches and closes,
// background and foreground, taps, drags, holds and long presses on the library's controls, the
// host's parts or any point (off-screen ones too), the shutter, rotations, photo/video,
// panorama, capability changes, preferences-file rewrites while the camera is closed, and waits
// of up to 100 s. The sequence obeys the scenario language's rules, so its text parses back to
// it. Any bytes give a sequence; the same bytes always give the same one.
std::vector<sim::CommandBody> decodeEvents(const std::uint8_t* data, std::size_t size);

// The sequence as a scenario file the simulator runs.
std::string scenarioText(const std::vector<sim::CommandBody>& steps);

}  // namespace fuzzing
