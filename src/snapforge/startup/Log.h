#pragma once

#include <string_view>

#include "platform/foundation/Format.h"
#include "platform/foundation/SystemLog.h"
#include "snapforge/startup/State.h"

namespace snapforge {

// A diagnostic line: printed to the system log only while the library's logging is on.
template <class... Args>
void log(std::string_view format, const Args&... args) {
    if (state().LOGGER_ON) {
        platform::NSLog(platform::format(format, args...));
    }
}

// The few lines that are printed whatever the logging switch says.
template <class... Args>
void logAlways(std::string_view format, const Args&... args) {
    platform::NSLog(platform::format(format, args...));
}

}  // namespace snapforge
