#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "sim/Command.h"
#include "sim/Driver.h"

namespace sim {

// Where `--live` serves unless `--port` says otherwise.
inline constexpr int kDefaultLivePort = 8017;

struct Options {
    std::optional<std::filesystem::path> deviceRoot;
    std::optional<std::filesystem::path> snapshotFolder;
    std::optional<std::filesystem::path> scenario;
    std::optional<std::filesystem::path> report;
    bool libraryLog = false;
    bool pictures = true;
    bool quiet = false;
    bool help = false;
    // Keeps the temporary device root made without --root, and prints where it is.
    bool keepRoot = false;
    // Serves the live camera instead of running a scenario to its end.
    bool live = false;
    int port = kDefaultLivePort;
    // Where the live camera keeps its session token across restarts.
    std::optional<std::filesystem::path> tokenFile;
};

// The options of `snapforge-sim [options] [SCENARIO]` (without the program name), or nothing
// with `error` saying what is wrong.
std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error);

std::string usage();

using DriverFactory = std::function<std::unique_ptr<Driver>(const DriverSettings&)>;

// What `--live` hands to the live camera, which lives in a room of its own.
struct LiveStart {
    int port = kDefaultLivePort;
    // Every phone gets a device root of its own, so none is set here.
    DriverSettings settings;
    // The scenario the phone plays before it is handed over.
    std::optional<Scenario> opening;
    std::optional<std::filesystem::path> tokenFile;
    bool quiet = false;
    std::ostream& out;
    std::ostream& err;
};
using LiveRunner = std::function<int(LiveStart)>;

// The whole command: options, scenario, run, summary. Returns the exit status. Without
// `runLive`, `--live` is refused.
int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const DriverFactory& makeDriver, const LiveRunner& runLive = {});

}  // namespace sim
