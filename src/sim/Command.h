#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/Geometry.h"
#include "sim/Query.h"
#include "sim/Target.h"

namespace sim {

// Where a touch lands: a target's centre or a point on the screen.
using Location = std::variant<Target, platform::CGPoint>;

enum class CapabilityKind {
    FocusContinuous,
    ExposureContinuous,
    WbContinuous,
    WbLocked,
    FocusPoi,
    ExposurePoi,
    LockConfig,
    VideoConnection,
    MinFrameDuration,
    MaxFrameDuration,
    Preset,
};

enum class CameraMode { Photo, Video };

using PrefValue = std::variant<bool, std::int64_t, std::string>;

struct PrefEntry {
    std::string key;
    PrefValue value;
    bool operator==(const PrefEntry&) const = default;
};

// One struct per scenario command, holding its checked arguments.
namespace cmd {

struct Device {
    std::string model;
    std::optional<std::string> ios;
    std::optional<platform::CGSize> screen;
    std::optional<std::string> identifier;
    bool operator==(const Device&) const = default;
};

struct Capability {
    CapabilityKind kind = CapabilityKind::FocusContinuous;
    std::string preset;  // the session preset's name, for CapabilityKind::Preset only
    bool on = true;
    bool operator==(const Capability&) const = default;
};

struct Prefs {
    std::vector<PrefEntry> entries;
    bool operator==(const Prefs&) const = default;
};

struct PrefsRaw {
    std::string bytes;
    bool operator==(const PrefsRaw&) const = default;
};

// The file is read while parsing, so a missing one stops the scenario before it runs.
struct PrefsFile {
    std::string path;  // as written in the scenario
    std::string bytes;
    bool operator==(const PrefsFile&) const = default;
};

struct Launch {
    std::string bundleId;
    bool operator==(const Launch&) const = default;
};

struct Close {
    bool operator==(const Close&) const = default;
};

struct Background {
    bool operator==(const Background&) const = default;
};

struct Foreground {
    bool operator==(const Foreground&) const = default;
};

struct Tap {
    Location at;
    bool operator==(const Tap&) const = default;
};

// A finger held or dragged for longer than a minute is a mistake in the scenario, and a drag
// moves every 1/60 s, so its cost grows with its length.
inline constexpr double kLongestTouchSeconds = 60;

struct Hold {
    Location at;
    double seconds = 0;
    bool operator==(const Hold&) const = default;
};

struct Drag {
    static constexpr double kDefaultSeconds = 0.3;
    Location from;
    platform::CGPoint to;
    double seconds = kDefaultSeconds;
    bool operator==(const Drag&) const = default;
};

struct Scroll {
    Target target = Target::Preview;
    int pages = 0;
    bool operator==(const Scroll&) const = default;
};

struct Shutter {
    bool operator==(const Shutter&) const = default;
};

struct Wait {
    // Waits cost only the work that falls due, so they may be long: up to where the virtual
    // clock still counts milliseconds exactly (over 31 years).
    static constexpr double kLongestSeconds = 1e9;
    double seconds = 0;
    bool operator==(const Wait&) const = default;
};

struct Rotate {
    int orientation = 1;  // 1 to 4
    bool operator==(const Rotate&) const = default;
};

struct Mode {
    CameraMode mode = CameraMode::Photo;
    bool operator==(const Mode&) const = default;
};

struct Panorama {
    bool on = false;
    bool operator==(const Panorama&) const = default;
};

struct Snapshot {
    std::string file;
    bool operator==(const Snapshot&) const = default;
};

// The screen as canonical text (see ScreenDump.h), written to FILE in the snapshot folder.
struct Dump {
    std::string file;
    bool operator==(const Dump&) const = default;
};

struct Expect {
    Query query;
    std::string expected;
    bool operator==(const Expect&) const = default;
};

}  // namespace cmd

using CommandBody =
    std::variant<cmd::Device, cmd::Capability, cmd::Prefs, cmd::PrefsRaw, cmd::PrefsFile,
                 cmd::Launch, cmd::Close, cmd::Background, cmd::Foreground, cmd::Tap, cmd::Hold,
                 cmd::Drag, cmd::Scroll, cmd::Shutter, cmd::Wait, cmd::Rotate, cmd::Mode,
                 cmd::Panorama, cmd::Snapshot, cmd::Dump, cmd::Expect>;

struct Command {
    int line = 0;
    CommandBody body;
    bool operator==(const Command&) const = default;
};

struct Scenario {
    std::vector<Command> commands;
};

std::string_view capabilityName(CapabilityKind kind);
std::optional<CapabilityKind> capabilityNamed(std::string_view name);
std::string capabilityNameList();

// The command as a scenario line that parses back to it.
std::string describe(const CommandBody& body);

// A word as the scenario language writes it: quoted and escaped when it needs to be.
std::string quoteWord(std::string_view text);
std::string quoteString(std::string_view text);

// The shortest text that reads back as the same number.
std::string formatNumber(double value);

}  // namespace sim
