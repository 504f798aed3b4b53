#include "live/JsonText.h"

namespace live {
namespace {

std::string_view kindName(sim::TimelineKind kind) {
    switch (kind) {
        case sim::TimelineKind::Event:
            return "event";
        case sim::TimelineKind::Failure:
            return "failure";
        default:
            return "step";
    }
}

}  // namespace

std::string jsonText(const nlohmann::json& value) {
    return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

nlohmann::json timelineEntryJson(const TimelineEntry& entry) {
    return {{"time", sim::formatTime(entry.time)},
            {"kind", kindName(entry.kind)},
            {"text", entry.text}};
}

}  // namespace live
