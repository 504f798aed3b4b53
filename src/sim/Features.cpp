#include "sim/Features.h"

#include <array>

namespace sim {
namespace {

struct FeatureStatus {
    Feature feature;
    std::string_view name;
    bool built;
};

// The one place that says which features the library has.
constexpr std::array<FeatureStatus, 6> kFeatures{{
    {Feature::Core, "start-up and advanced focus", true},
    {Feature::CameraBar, "the camera bar and its messages", true},
    {Feature::Dial, "the selection dial", true},
    {Feature::SettingsPanel, "the settings panel", true},
    {Feature::Countdown, "the countdown and stop button", true},
    {Feature::FramingAids, "overlays and frame guides", true},
}};

const FeatureStatus& status(Feature feature) {
    for (const auto& entry : kFeatures) {
        if (entry.feature == feature) {
            return entry;
        }
    }
    return kFeatures.front();
}

}  // namespace

Feature featureOf(Target target) {
    switch (target) {
        case Target::Bar:
        case Target::Message:
        case Target::BarNormal:
        case Target::BarTimeLapse:
        case Target::BarTimer:
        case Target::BarOverlay:
        case Target::BarAdvancedVideo:
        case Target::BarFps:
        case Target::BarResolution:
        case Target::BarFrameGuide:
            return Feature::CameraBar;
        case Target::Dial:
        case Target::DialPlus:
        case Target::DialMinus:
        case Target::DialUnit:
        case Target::DialSet:
            return Feature::Dial;
        case Target::PrefButton:
        case Target::PanelAdvancedPhoto:
        case Target::PanelAdvancedVideo:
        case Target::PanelRemember:
        case Target::PanelClose:
            return Feature::SettingsPanel;
        case Target::StopButton:
        case Target::Countdown:
            return Feature::Countdown;
        default:
            return Feature::Core;
    }
}

Feature featureOf(QueryKind kind) {
    switch (kind) {
        case QueryKind::Bar:
        case QueryKind::BarMode:
        case QueryKind::Page:
        case QueryKind::Message:
        case QueryKind::Messages:
            return Feature::CameraBar;
        case QueryKind::Dial:
        case QueryKind::DialValue:
        case QueryKind::DialKind:
        case QueryKind::DialUnit:
            return Feature::Dial;
        case QueryKind::Panel:
            return Feature::SettingsPanel;
        case QueryKind::Countdown:
            return Feature::Countdown;
        case QueryKind::Picture:
            return Feature::FramingAids;
        default:
            return Feature::Core;
    }
}

bool isBuilt(Feature feature) {
    return status(feature).built;
}

std::string_view featureName(Feature feature) {
    return status(feature).name;
}

}  // namespace sim
