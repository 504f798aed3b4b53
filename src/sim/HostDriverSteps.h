#pragma once

// What every file of HostDriver's steps shares: the step guard and the stand-in process.

#include <exception>
#include <string>

#include "platform/Process.h"
#include "sim/HostDriver.h"

namespace sim {

inline constexpr const char* kDefaultBundleId = "com.apple.camera";

template <class Step>
void HostDriver::guarded(Step&& step) {
    try {
        step();
    } catch (const std::exception& error) {
        fail(std::string("the simulation failed: ") + error.what());
    } catch (...) {
        fail("the simulation failed");
    }
}

template <class Fn>
auto HostDriver::insideDeviceRoot(Fn&& fn) {
    if (process_) {
        return fn();
    }
    platform::Process standIn(device_.profile(kDefaultBundleId, settings_.libraryLog),
                              settings_.deviceRoot);
    return fn();
}

}  // namespace sim
