#pragma once

#include <optional>
#include <string>

namespace platform {

// The device the current process runs on, as its profile describes it; a change to the
// profile shows at the next question.
class UIDevice {
public:
    static UIDevice& currentDevice();

    // Absent on devices that do not report one.
    std::optional<std::string> uniqueIdentifier() const;
    std::string systemVersion() const;
    // "iPhone", "iPod touch" or "iPad", from the machine identifier.
    std::string model() const;
};

}  // namespace platform
