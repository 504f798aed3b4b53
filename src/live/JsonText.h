#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "live/LiveSession.h"

namespace live {

// JSON text; bytes that are not UTF-8 (a preferences value, a line typed) are replaced.
std::string jsonText(const nlohmann::json& value);

// {"time":"12.345","kind":"event","text":"iris opened"}
nlohmann::json timelineEntryJson(const TimelineEntry& entry);

}  // namespace live
