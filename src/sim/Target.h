#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

// Something on the camera screen a scenario can touch or ask about, by its scenario name.
enum class Target {
    SettingsButton,
    PrefButton,
    Bar,
    BarNormal,
    BarTimeLapse,
    BarTimer,
    BarOverlay,
    BarAdvancedVideo,
    BarFps,
    BarResolution,
    BarFrameGuide,
    Dial,
    DialPlus,
    DialMinus,
    DialUnit,
    DialSet,
    StopButton,
    Countdown,
    Message,
    WbLock,
    PanelAdvancedPhoto,
    PanelAdvancedVideo,
    PanelRemember,
    PanelClose,
    FocusReticle,
    ExposureReticle,
    Shutter,
    Preview,
};

std::string_view targetName(Target target);
std::optional<Target> targetNamed(std::string_view name);

// "settings-button, pref-button, ..." for error messages.
std::string targetNameList();

// Every target, in the order the help lists them.
std::vector<Target> allTargets();

}  // namespace sim
