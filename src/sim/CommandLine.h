#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "sim/Driver.h"

namespace sim {

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
};

// The options of `snapforge-sim [options] [SCENARIO]` (without the program name), or nothing
// with `error` saying what is wrong.
std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error);

std::string usage();

using DriverFactory = std::function<std::unique_ptr<Driver>(const DriverSettings&)>;

// The whole command: options, scenario, run, summary. Returns the exit status.
int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const DriverFactory& makeDriver);

}  // namespace sim
