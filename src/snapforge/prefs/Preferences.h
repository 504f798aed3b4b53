#pragma once

#include <memory>
#include <string_view>

namespace platform {
class NSMutableDictionary;
}

namespace snapforge {

inline constexpr std::string_view kPreferencesFolder = "/var/mobile/Library/Preferences/Snapforge";
inline constexpr std::string_view kPreferencesFileName = "com.tolvane.snapforge.plist";

// The preferences file read whole; empty when it is missing or unreadable.
std::shared_ptr<platform::NSMutableDictionary> loadPrefs();
// Loads the preferences into the state and applies the advanced choice in force.
void handlePrefs();
// Writes the remembered choices (all of them only while remember-settings is on).
void savePrefs();

}  // namespace snapforge
