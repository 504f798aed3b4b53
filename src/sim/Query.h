#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/Target.h"

namespace sim {

// What an `expect` line asks the running simulation.
enum class QueryKind {
    Photos,
    Hooks,
    Bar,
    BarMode,
    Selected,
    Visible,
    Frame,
    Rotation,
    Page,
    Message,
    Messages,
    Countdown,
    Dial,
    DialValue,
    DialKind,
    DialUnit,
    Advanced,
    DeviceFocusMode,
    DeviceExposureMode,
    DeviceWbMode,
    DeviceFocusPoint,
    DeviceExposurePoint,
    ReticleFocus,
    ReticleExposure,
    LockedFocus,
    LockedExposure,
    SessionPreset,
    FrameDuration,
    Picture,
    Pref,
    State,
    Panel,
};

// What follows a query's name: nothing, a target word (`visible stop-button`), or a key joined
// to the name itself (`pref.KEY`, `state.NAME`).
enum class QueryArgument { None, Target, Key };

struct Query {
    QueryKind kind = QueryKind::Photos;
    std::optional<Target> target;
    std::string key;

    bool operator==(const Query&) const = default;
};

struct QueryName {
    QueryKind kind;
    QueryArgument argument;
    // For a keyed query, the name is the prefix before the key ("pref.").
    std::string_view name;
};

// The query a scenario word names: a keyed query matches by prefix with a non-empty key.
std::optional<QueryName> queryNamed(std::string_view word);

// "photos, hooks, ..., pref.KEY, ..." for error messages.
std::string queryNameList();

// Every query, in the order the help lists them.
std::vector<QueryName> allQueryNames();
// "visible TARGET", "pref.KEY", "photos"
std::string usage(const QueryName& name);

// The query as a scenario writes it: "visible stop-button", "pref.Timer".
std::string describe(const Query& query);

}  // namespace sim
