#pragma once

#include <optional>
#include <string>
#include <vector>

#include "fuzz/harness/Invariants.h"
#include "sim/Command.h"

namespace fuzzing {

struct BrokenPromise {
    std::size_t step = 0;  // the index of the step after which it broke
    Violation violation;
};

// Runs the steps on a fresh simulated phone (its own device root, removed afterwards) and checks
// every invariant after each step. A step that cannot be done (its target is not on screen)
// simply fails, as it does in the simulator; the run goes on.
std::optional<BrokenPromise> runChecked(const std::vector<sim::CommandBody>& steps);

// The fewest of the steps, in their order, that still break the same promise.
std::vector<sim::CommandBody> shrink(std::vector<sim::CommandBody> steps,
                                     const BrokenPromise& broken);

// What a fuzzer prints for a broken promise: the promise, what was seen and a scenario that
// reproduces it, shrunk.
std::string failureReport(const std::vector<sim::CommandBody>& steps, const BrokenPromise& broken);

// Runs a scenario file's steps with every invariant checked (expectations are skipped).
std::optional<BrokenPromise> runScenarioChecked(const std::string& scenarioText);

}  // namespace fuzzing
