#pragma once

#include <string_view>

namespace platform {
class NSMutableDictionary;
}

namespace snapforge {

// Typed readers of a preferences dictionary that fall back to a default for a missing key or a
// value of the wrong kind.
class Tools {
public:
    static int intForKey(std::string_view key, int defaultValue,
                         const platform::NSMutableDictionary* dictionary);
    static bool boolForKey(std::string_view key, bool defaultValue,
                           const platform::NSMutableDictionary* dictionary);
};

}  // namespace snapforge
