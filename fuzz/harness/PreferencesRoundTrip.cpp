#include "fuzz/harness/PreferencesRoundTrip.h"

#include <filesystem>
#include <fstream>

#include "platform/foundation/DevicePath.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "snapforge/prefs/Preferences.h"
#include "snapforge/startup/State.h"

namespace fuzzing {

std::optional<std::string> preferencesRoundTrip(std::string_view bytes) {
    const auto file = platform::devicePath(std::string(snapforge::kPreferencesFolder) + "/" +
                                           std::string(snapforge::kPreferencesFileName));
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));

    snapforge::State& s = snapforge::state();
    s.DISABLE_SAVE = false;
    snapforge::handlePrefs();
    snapforge::savePrefs();
    const auto saved = snapforge::loadPrefs();
    if (!saved) {
        return "the saved preferences file does not read back";
    }
    if (!s.prefsDictionary || !(*saved == *s.prefsDictionary)) {
        return "the saved preferences file differs from the preferences in memory";
    }
    return std::nullopt;
}

}  // namespace fuzzing
