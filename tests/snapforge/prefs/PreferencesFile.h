#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/foundation/DevicePath.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/PropertyListFile.h"
#include "snapforge/prefs/Preferences.h"

namespace snapforge::testing {

// The preferences file of the current process, as the tests lay it out and read it back.
inline const std::string kPreferencesPath =
    std::string(kPreferencesFolder) + "/" + std::string(kPreferencesFileName);

inline void writePreferencesFile(const platform::NSMutableDictionary& prefs) {
    std::filesystem::create_directories(platform::devicePath(kPreferencesFolder));
    ASSERT_TRUE(platform::writeToFile(prefs, kPreferencesPath, true));
}

inline std::shared_ptr<platform::NSMutableDictionary> preferencesOnDisk() {
    return platform::dictionaryWithContentsOfFile(kPreferencesPath);
}

}  // namespace snapforge::testing
