#include "sim/Target.h"

#include <array>
#include <utility>

namespace sim {
namespace {

constexpr std::array<std::pair<Target, std::string_view>, 28> kTargetNames{{
    {Target::SettingsButton, "settings-button"},
    {Target::PrefButton, "pref-button"},
    {Target::Bar, "bar"},
    {Target::BarNormal, "bar.normal"},
    {Target::BarTimeLapse, "bar.time-lapse"},
    {Target::BarTimer, "bar.timer"},
    {Target::BarOverlay, "bar.overlay"},
    {Target::BarAdvancedVideo, "bar.advanced-video"},
    {Target::BarFps, "bar.fps"},
    {Target::BarResolution, "bar.resolution"},
    {Target::BarFrameGuide, "bar.frame-guide"},
    {Target::Dial, "dial"},
    {Target::DialPlus, "dial.plus"},
    {Target::DialMinus, "dial.minus"},
    {Target::DialUnit, "dial.unit"},
    {Target::DialSet, "dial.set"},
    {Target::StopButton, "stop-button"},
    {Target::Countdown, "countdown"},
    {Target::Message, "message"},
    {Target::WbLock, "wb-lock"},
    {Target::PanelAdvancedPhoto, "panel.advanced-photo"},
    {Target::PanelAdvancedVideo, "panel.advanced-video"},
    {Target::PanelRemember, "panel.remember"},
    {Target::PanelClose, "panel.close"},
    {Target::FocusReticle, "focus-reticle"},
    {Target::ExposureReticle, "exposure-reticle"},
    {Target::Shutter, "shutter"},
    {Target::Preview, "preview"},
}};

}  // namespace

std::vector<Target> allTargets() {
    std::vector<Target> targets;
    for (const auto& entry : kTargetNames) {
        targets.push_back(entry.first);
    }
    return targets;
}

std::string_view targetName(Target target) {
    for (const auto& [candidate, name] : kTargetNames) {
        if (candidate == target) {
            return name;
        }
    }
    return "?";
}

std::optional<Target> targetNamed(std::string_view name) {
    for (const auto& [target, candidate] : kTargetNames) {
        if (candidate == name) {
            return target;
        }
    }
    return std::nullopt;
}

std::string targetNameList() {
    std::string list;
    for (const auto& [target, name] : kTargetNames) {
        if (!list.empty()) {
            list += ", ";
        }
        list += name;
    }
    return list;
}

}  // namespace sim
