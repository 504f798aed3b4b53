#include "sim/Query.h"

#include <array>

namespace sim {
namespace {

constexpr std::array<QueryName, 32> kQueryNames{{
    {QueryKind::Photos, QueryArgument::None, "photos"},
    {QueryKind::Hooks, QueryArgument::None, "hooks"},
    {QueryKind::Bar, QueryArgument::None, "bar"},
    {QueryKind::BarMode, QueryArgument::None, "bar.mode"},
    {QueryKind::Selected, QueryArgument::Target, "selected"},
    {QueryKind::Visible, QueryArgument::Target, "visible"},
    {QueryKind::Frame, QueryArgument::Target, "frame"},
    {QueryKind::Rotation, QueryArgument::Target, "rotation"},
    {QueryKind::Page, QueryArgument::Target, "page"},
    {QueryKind::Message, QueryArgument::None, "message"},
    {QueryKind::Messages, QueryArgument::None, "messages"},
    {QueryKind::Countdown, QueryArgument::None, "countdown"},
    {QueryKind::Dial, QueryArgument::None, "dial"},
    {QueryKind::DialValue, QueryArgument::None, "dial.value"},
    {QueryKind::DialKind, QueryArgument::None, "dial.kind"},
    {QueryKind::DialUnit, QueryArgument::None, "dial.unit"},
    {QueryKind::Advanced, QueryArgument::None, "advanced"},
    {QueryKind::DeviceFocusMode, QueryArgument::None, "device.focus-mode"},
    {QueryKind::DeviceExposureMode, QueryArgument::None, "device.exposure-mode"},
    {QueryKind::DeviceWbMode, QueryArgument::None, "device.wb-mode"},
    {QueryKind::DeviceFocusPoint, QueryArgument::None, "device.focus-point"},
    {QueryKind::DeviceExposurePoint, QueryArgument::None, "device.exposure-point"},
    {QueryKind::ReticleFocus, QueryArgument::None, "reticle.focus"},
    {QueryKind::ReticleExposure, QueryArgument::None, "reticle.exposure"},
    {QueryKind::LockedFocus, QueryArgument::None, "locked.focus"},
    {QueryKind::LockedExposure, QueryArgument::None, "locked.exposure"},
    {QueryKind::SessionPreset, QueryArgument::None, "session.preset"},
    {QueryKind::FrameDuration, QueryArgument::None, "frame-duration"},
    {QueryKind::Picture, QueryArgument::None, "picture"},
    {QueryKind::Pref, QueryArgument::Key, "pref."},
    {QueryKind::State, QueryArgument::Key, "state."},
    {QueryKind::Panel, QueryArgument::None, "panel"},
}};

}  // namespace

std::optional<QueryName> queryNamed(std::string_view word) {
    for (const auto& entry : kQueryNames) {
        const bool matches = entry.argument == QueryArgument::Key
                                 ? word.size() > entry.name.size() && word.starts_with(entry.name)
                                 : word == entry.name;
        if (matches) {
            return entry;
        }
    }
    return std::nullopt;
}

std::string usage(const QueryName& name) {
    std::string text(name.name);
    if (name.argument == QueryArgument::Key) {
        text += name.kind == QueryKind::Pref ? "KEY" : "NAME";
    } else if (name.argument == QueryArgument::Target) {
        text += " TARGET";
    }
    return text;
}

std::string queryNameList() {
    std::string list;
    for (const auto& entry : kQueryNames) {
        list += (list.empty() ? "" : ", ") + usage(entry);
    }
    return list;
}

std::vector<QueryName> allQueryNames() {
    return {kQueryNames.begin(), kQueryNames.end()};
}

std::string describe(const Query& query) {
    for (const auto& entry : kQueryNames) {
        if (entry.kind != query.kind) {
            continue;
        }
        std::string text(entry.name);
        if (entry.argument == QueryArgument::Key) {
            text += query.key;
        } else if (entry.argument == QueryArgument::Target && query.target) {
            text += ' ';
            text += targetName(*query.target);
        }
        return text;
    }
    return "?";
}

}  // namespace sim
