#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "sim/Command.h"

namespace fuzzing {

// A promise of the library that a step broke: which one, and what was seen.
struct Violation {
    std::string invariant;
    std::string detail;
};

// What the library promises after every step of any sequence, checked on the simulated phone
// of the current process:
// - at most one countdown label, one countdown timer and one stop button;
// - no window of the library showing while the camera is closed, and no photo in progress;
// - every window of the library at level 1999, the stop button's at 2000;
// - the device's points of interest inside 0..1, frame durations never 1/0;
// - no message the runtime did not recognise;
// - no photo that no shutter press (the user's or a countdown's) asked for;
// - the preferences file absent or a whole property list, unless the step itself rewrote it.
class InvariantChecker {
public:
    explicit InvariantChecker(std::filesystem::path deviceRoot);

    // After a step that did (or, when it failed, did not) change what it names; photos is the
    // number the host has taken so far.
    std::optional<Violation> afterStep(const sim::CommandBody& step, bool stepFailed, int photos);
    // The same, for a caller that knows itself whether the camera is open and whether what it
    // did may have rewritten the preferences file.
    std::optional<Violation> check(bool cameraOpen, bool rewrotePreferences, int photos);

private:
    std::optional<Violation> checkPreferencesFile(bool rewrotePreferences);

    std::filesystem::path preferencesFile_;
    std::optional<std::string> preferencesBytes_;
    bool cameraOpen_ = false;
};

}  // namespace fuzzing
