#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "sim/Command.h"
#include "sim/Driver.h"
#include "sim/Timeline.h"

namespace sim {

// The command's exit status.
enum ExitStatus : int {
    kExitPassed = 0,
    kExitFailed = 1,         // an expectation or a step failed
    kExitScenarioError = 2,  // the scenario or the command line could not be used
};

struct Failure {
    int line = 0;
    std::string step;    // the step as the scenario writes it
    std::string reason;  // "got 0", "stop-button is not on screen"
};

struct RunResult {
    int steps = 0;
    int expectations = 0;
    double virtualSeconds = 0;
    std::vector<Failure> failures;

    ExitStatus exitStatus() const { return failures.empty() ? kExitPassed : kExitFailed; }
};

// Hears of each step once it is over.
using StepDone = std::function<void(const Command&)>;

// Runs every step in order against the driver, printing the timeline as it goes. A failed step
// or expectation is recorded and the run goes on, so that one run lists every failure.
RunResult runScenario(const Scenario& scenario, Driver& driver, Timeline& timeline,
                      const StepDone& stepDone = {});

void printSummary(const RunResult& result, std::ostream& out);

// "line 12: expect photos 1: got 0"
std::string describe(const Failure& failure);

}  // namespace sim
