#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "live/LiveCommand.h"
#include "sim/CommandLine.h"
#include "sim/HostDriver.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto makeDriver =
        [](const sim::DriverSettings& settings) -> std::unique_ptr<sim::Driver> {
        return std::make_unique<sim::HostDriver>(settings);
    };
    return sim::runCommandLine(args, std::cout, std::cerr, makeDriver, live::runLive);
}
