// Arbitrary text as a scenario: the parser either refuses it or hands over steps, which then
// run on a simulated phone, cut down so that every input ends quickly.
#include <algorithm>
#include <cstdint>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

#include "fuzz/harness/TemporaryRoot.h"
#include "sim/HostDriver.h"
#include "sim/Overloaded.h"
#include "sim/Runner.h"
#include "sim/ScenarioError.h"
#include "sim/ScenarioParser.h"
#include "sim/Timeline.h"

namespace {

constexpr std::size_t kMaxSteps = 64;
constexpr double kMaxVirtualSeconds = 3600;
constexpr double kMaxGestureSeconds = 5;

// Swallows the timeline.
class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
};

// Device files (an endless /dev/zero as prefs-file) are the simulator's command line's own
// concern, not this parser's or the library's.
bool namesDeviceFiles(std::string_view text) {
    return text.find("/dev") != std::string_view::npos ||
           text.find("/proc") != std::string_view::npos ||
           text.find("/sys") != std::string_view::npos;
}

// The scenario with at most kMaxSteps steps whose gestures and waits together take at most
// kMaxVirtualSeconds.
sim::Scenario bounded(sim::Scenario scenario) {
    if (scenario.commands.size() > kMaxSteps) {
        scenario.commands.resize(kMaxSteps);
    }
    double budget = kMaxVirtualSeconds;
    const auto spend = [&](double& seconds, double cap) {
        seconds = std::clamp(seconds, 0.0, std::min(cap, budget));
        budget -= seconds;
    };
    for (auto& command : scenario.commands) {
        std::visit(sim::Overloaded{
                       [&](sim::cmd::Wait& wait) { spend(wait.seconds, kMaxVirtualSeconds); },
                       [&](sim::cmd::Hold& hold) { spend(hold.seconds, kMaxGestureSeconds); },
                       [&](sim::cmd::Drag& drag) { spend(drag.seconds, kMaxGestureSeconds); },
                       [](auto&) {},
                   },
                   command.body);
    }
    return scenario;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (namesDeviceFiles(text)) {
        return -1;
    }
    static const fuzzing::TemporaryRoot folder;
    sim::Scenario scenario;
    try {
        scenario = bounded(sim::parseScenario(text, folder.path()));
    } catch (const sim::ScenarioError&) {
        return 0;
    }
    const fuzzing::TemporaryRoot root;
    sim::DriverSettings settings;
    settings.deviceRoot = root.path();
    settings.snapshotFolder = root.path() / "snapshots";
    NullBuffer nothing;
    std::ostream quiet(&nothing);
    sim::Timeline timeline(quiet, true);
    sim::HostDriver driver(settings);
    sim::runScenario(scenario, driver, timeline);
    return 0;
}
