#include "sim/Command.h"

#include <array>
#include <charconv>
#include <utility>

#include "sim/Overloaded.h"

namespace sim {
namespace {

constexpr std::array<std::pair<CapabilityKind, std::string_view>, 11> kCapabilityNames{{
    {CapabilityKind::FocusContinuous, "focus-continuous"},
    {CapabilityKind::ExposureContinuous, "exposure-continuous"},
    {CapabilityKind::WbContinuous, "wb-continuous"},
    {CapabilityKind::WbLocked, "wb-locked"},
    {CapabilityKind::FocusPoi, "focus-poi"},
    {CapabilityKind::ExposurePoi, "exposure-poi"},
    {CapabilityKind::LockConfig, "lock-config"},
    {CapabilityKind::VideoConnection, "video-connection"},
    {CapabilityKind::MinFrameDuration, "min-frame-duration"},
    {CapabilityKind::MaxFrameDuration, "max-frame-duration"},
    {CapabilityKind::Preset, "preset:"},
}};

std::string onOff(bool on) {
    return on ? "on" : "off";
}

std::string describe(const Location& location) {
    return std::visit(Overloaded{
                          [](Target target) { return std::string(targetName(target)); },
                          [](platform::CGPoint point) {
                              return formatNumber(point.x) + " " + formatNumber(point.y);
                          },
                      },
                      location);
}

std::string describe(const PrefValue& value) {
    return std::visit(Overloaded{
                          [](bool flag) { return std::string(flag ? "YES" : "NO"); },
                          [](std::int64_t number) { return std::to_string(number); },
                          // Always quoted: a bare word would read back as a number or boolean.
                          [](const std::string& text) { return quoteString(text); },
                      },
                      value);
}

std::string describeDevice(const cmd::Device& device) {
    std::string text = "device " + quoteWord(device.model);
    if (device.ios) {
        text += " ios " + quoteWord(*device.ios);
    }
    if (device.screen) {
        text += " screen " + formatNumber(device.screen->width) + "x" +
                formatNumber(device.screen->height);
    }
    if (device.identifier) {
        text += " id " + quoteWord(*device.identifier);
    }
    return text;
}

std::string describePrefs(const cmd::Prefs& prefs) {
    std::string text = "prefs";
    for (const auto& entry : prefs.entries) {
        text += " " + entry.key + "=" + describe(entry.value);
    }
    return text;
}

}  // namespace

std::string_view capabilityName(CapabilityKind kind) {
    for (const auto& [candidate, name] : kCapabilityNames) {
        if (candidate == kind) {
            return name;
        }
    }
    return "?";
}

std::optional<CapabilityKind> capabilityNamed(std::string_view name) {
    for (const auto& [kind, candidate] : kCapabilityNames) {
        if (kind != CapabilityKind::Preset && candidate == name) {
            return kind;
        }
    }
    return std::nullopt;
}

std::string capabilityNameList() {
    std::string list;
    for (const auto& [kind, name] : kCapabilityNames) {
        if (!list.empty()) {
            list += ", ";
        }
        list += name;
        if (kind == CapabilityKind::Preset) {
            list += "NAME";
        }
    }
    return list;
}

std::string quoteWord(std::string_view text) {
    const bool plain =
        !text.empty() && text.find_first_of(" \t\r\"\\#\n") == std::string_view::npos;
    return plain ? std::string(text) : quoteString(text);
}

std::string quoteString(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (c == '\n') {
            quoted += "\\n";
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::string formatNumber(double value) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::string describe(const CommandBody& body) {
    return std::visit(
        Overloaded{
            [](const cmd::Device& c) { return describeDevice(c); },
            [](const cmd::Capability& c) {
                return "capability " + std::string(capabilityName(c.kind)) + c.preset + " " +
                       onOff(c.on);
            },
            [](const cmd::Prefs& c) { return describePrefs(c); },
            [](const cmd::PrefsRaw& c) { return "prefs-raw " + quoteWord(c.bytes); },
            [](const cmd::PrefsFile& c) { return "prefs-file " + quoteWord(c.path); },
            [](const cmd::Launch& c) { return "launch " + quoteWord(c.bundleId); },
            [](const cmd::Close&) { return std::string("close"); },
            [](const cmd::Background&) { return std::string("background"); },
            [](const cmd::Foreground&) { return std::string("foreground"); },
            [](const cmd::Tap& c) { return "tap " + describe(c.at); },
            [](const cmd::Hold& c) {
                return "hold " + describe(c.at) + " " + formatNumber(c.seconds);
            },
            [](const cmd::Drag& c) {
                return "drag " + describe(c.from) + " to " + formatNumber(c.to.x) + " " +
                       formatNumber(c.to.y) + " " + formatNumber(c.seconds);
            },
            [](const cmd::Scroll& c) {
                return "scroll " + std::string(targetName(c.target)) + " " +
                       std::to_string(c.pages);
            },
            [](const cmd::Shutter&) { return std::string("shutter"); },
            [](const cmd::Wait& c) { return "wait " + formatNumber(c.seconds); },
            [](const cmd::Rotate& c) { return "rotate " + std::to_string(c.orientation); },
            [](const cmd::Mode& c) {
                return std::string(c.mode == CameraMode::Photo ? "mode photo" : "mode video");
            },
            [](const cmd::Panorama& c) { return "panorama " + onOff(c.on); },
            [](const cmd::Snapshot& c) { return "snapshot " + quoteWord(c.file); },
            [](const cmd::Dump& c) { return "dump " + quoteWord(c.file); },
            [](const cmd::Expect& c) {
                return "expect " + describe(c.query) + " " + quoteWord(c.expected);
            },
        },
        body);
}

}  // namespace sim
