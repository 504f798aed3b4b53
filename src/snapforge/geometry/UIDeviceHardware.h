#pragma once

#include <string>

namespace snapforge {

// Which device model the library runs on.
class UIDeviceHardware {
public:
    // The machine identifier, for example "iPhone4,1".
    static std::string platform();
    // The model's rank; 0 for an identifier the table does not know.
    static float platformID();
    static float platformID(const std::string& machine);
};

}  // namespace snapforge
