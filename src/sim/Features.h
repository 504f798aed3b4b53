#pragma once

#include <string_view>

#include "sim/Query.h"
#include "sim/Target.h"

namespace sim {

// The library's features as a scenario reaches them, through targets and queries. A feature
// not built yet has no views, so its targets are never on screen, and its queries answer
// "absent", "none" or "unavailable"; `--help` marks them. When a feature lands, set `built` for
// it in the one table in Features.cpp.
enum class Feature {
    Core,  // start-up, the reticles, the white-balance lock, the settings button, the host
    CameraBar,
    Dial,
    SettingsPanel,
    Countdown,
    FramingAids,
};

Feature featureOf(Target target);
Feature featureOf(QueryKind kind);

bool isBuilt(Feature feature);
// "the camera bar"
std::string_view featureName(Feature feature);

}  // namespace sim
