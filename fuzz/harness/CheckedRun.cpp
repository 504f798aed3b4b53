#include "fuzz/harness/CheckedRun.h"

#include <cstdlib>
#include <filesystem>

#include "fuzz/harness/EventSequence.h"
#include "fuzz/harness/TemporaryRoot.h"
#include "sim/HostDriver.h"
#include "sim/Overloaded.h"
#include "sim/ScenarioError.h"
#include "sim/ScenarioParser.h"

namespace fuzzing {
namespace {

// Enough reruns to shrink the longest sequence a few times over, and no more.
constexpr int kMaxShrinkRuns = 4000;

// Remembers whether the step in progress failed; events are not needed.
class StepOutcome : public sim::Reporter {
public:
    void event(const std::string&) override {}
    void stepFailed(const std::string&) override { failed = true; }
    bool failed = false;
};

void perform(sim::Driver& driver, const sim::CommandBody& step) {
    std::visit(sim::Overloaded{
                   [](const sim::cmd::Expect&) {},
                   [&](const auto& action) { driver.perform(action); },
               },
               step);
}

int photosTaken(sim::Driver& driver) {
    return std::atoi(driver.query({sim::QueryKind::Photos, std::nullopt, {}}).c_str());
}

std::optional<std::vector<sim::CommandBody>> parsedSteps(const std::string& text) {
    try {
        std::vector<sim::CommandBody> steps;
        for (auto& command : sim::parseScenario(text, std::filesystem::current_path()).commands) {
            steps.push_back(std::move(command.body));
        }
        return steps;
    } catch (const sim::ScenarioError&) {
        return std::nullopt;
    }
}

bool breaksTheSamePromise(const std::vector<sim::CommandBody>& steps, const BrokenPromise& broken) {
    if (!parsedSteps(scenarioText(steps))) {
        return false;
    }
    const auto again = runChecked(steps);
    return again && again->violation.invariant == broken.violation.invariant;
}

}  // namespace

std::optional<BrokenPromise> runChecked(const std::vector<sim::CommandBody>& steps) {
    const TemporaryRoot root;
    sim::DriverSettings settings;
    settings.deviceRoot = root.path();
    settings.snapshotFolder = root.path() / "snapshots";
    sim::HostDriver driver(settings);
    StepOutcome outcome;
    driver.attach(outcome);
    InvariantChecker checker(root.path());
    for (std::size_t i = 0; i < steps.size(); ++i) {
        outcome.failed = false;
        perform(driver, steps[i]);
        if (auto violation = checker.afterStep(steps[i], outcome.failed, photosTaken(driver))) {
            return BrokenPromise{i, std::move(*violation)};
        }
    }
    return std::nullopt;
}

std::vector<sim::CommandBody> shrink(std::vector<sim::CommandBody> steps,
                                     const BrokenPromise& broken) {
    steps.resize(std::min(steps.size(), broken.step + 1));
    int runs = 0;
    bool shorter = true;
    while (shorter && runs < kMaxShrinkRuns) {
        shorter = false;
        for (std::size_t i = steps.size(); i-- > 0 && runs < kMaxShrinkRuns;) {
            auto candidate = steps;
            candidate.erase(candidate.begin() + static_cast<std::ptrdiff_t>(i));
            ++runs;
            if (breaksTheSamePromise(candidate, broken)) {
                steps = std::move(candidate);
                shorter = true;
                break;
            }
        }
    }
    return steps;
}

std::string failureReport(const std::vector<sim::CommandBody>& steps, const BrokenPromise& broken) {
    const auto shrunk = shrink(steps, broken);
    return "broken promise: " + broken.violation.invariant + "\nseen: " + broken.violation.detail +
           "\nreproducing scenario, " + std::to_string(shrunk.size()) +
           " steps (save it as fuzz/regressions/NAME.scenario to replay it):\n" +
           scenarioText(shrunk);
}

std::optional<BrokenPromise> runScenarioChecked(const std::string& scenarioText) {
    const auto steps = parsedSteps(scenarioText);
    if (!steps) {
        return BrokenPromise{0, {"the scenario parses", "it does not"}};
    }
    return runChecked(*steps);
}

}  // namespace fuzzing
