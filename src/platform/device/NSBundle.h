#pragma once

#include <string>

namespace platform {

// The process's main bundle, as the device profile describes it.
class NSBundle {
public:
    static NSBundle& mainBundle();
    std::string bundleIdentifier() const;
};

}  // namespace platform
