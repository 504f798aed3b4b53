#include "fuzz/harness/EventSequence.h"

#include <array>

namespace fuzzing {
namespace {

using sim::CapabilityKind;
using sim::Target;

// Hands out the input's bytes one at a time; zeros once they run out.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool atEnd() const { return next_ >= size_; }
    std::uint8_t byte() { return atEnd() ? 0 : data_[next_++]; }
    int below(int count) { return byte() % count; }
    bool flag() { return (byte() & 1) != 0; }
    // From 0 to max in 256 even steps.
    double fraction(double max) { return max * byte() / 255.0; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t next_ = 0;
};

constexpr std::array kTargets{
    Target::SettingsButton,
    Target::PrefButton,
    Target::BarNormal,
    Target::BarTimeLapse,
    Target::BarTimer,
    Target::BarOverlay,
    Target::BarAdvancedVideo,
    Target::BarFps,
    Target::BarResolution,
    Target::BarFrameGuide,
    Target::DialPlus,
    Target::DialMinus,
    Target::DialUnit,
    Target::DialSet,
    Target::StopButton,
    Target::WbLock,
    Target::PanelAdvancedPhoto,
    Target::PanelAdvancedVideo,
    Target::PanelRemember,
    Target::PanelClose,
    Target::FocusReticle,
    Target::ExposureReticle,
    Target::Shutter,
    Target::Preview,
};

constexpr std::array kCapabilities{
    CapabilityKind::FocusContinuous,  CapabilityKind::ExposureContinuous,
    CapabilityKind::WbContinuous,     CapabilityKind::WbLocked,
    CapabilityKind::FocusPoi,         CapabilityKind::ExposurePoi,
    CapabilityKind::LockConfig,       CapabilityKind::VideoConnection,
    CapabilityKind::MinFrameDuration, CapabilityKind::MaxFrameDuration,
};

constexpr std::array kPresets{"AVCaptureSessionPreset1920x1080", "AVCaptureSessionPreset1280x720",
                              "AVCaptureSessionPreset640x480"};

constexpr std::array kPreferenceKeys{
    "rememberSettings", "advPhotoSelected",  "advVideoSelected",  "overlayIndex",
    "guideIndex",       "resolutionIndex",   "timerTime",         "timeLapseTime",
    "frameRateTime",    "timeType",          "timeLapseSelected", "timerSelected",
    "overlaySelected",  "frameRateSelected", "guideSelected",
};

// A point anywhere on a phone's screen or up to 100 points beyond its edges.
platform::CGPoint anyPoint(ByteReader& in) {
    const auto x = static_cast<platform::CGFloat>(in.fraction(520) - 100);
    const auto y = static_cast<platform::CGFloat>(in.fraction(780) - 100);
    return {x, y};
}

// Mostly the library's controls and the host's parts, else a point.
sim::Location anyLocation(ByteReader& in) {
    const int choice = in.below(32);
    if (choice < static_cast<int>(kTargets.size())) {
        return kTargets[static_cast<std::size_t>(choice)];
    }
    return anyPoint(in);
}

sim::cmd::Capability capabilityChange(ByteReader& in) {
    sim::cmd::Capability step;
    const int choice = in.below(static_cast<int>(kCapabilities.size() + kPresets.size()));
    if (choice < static_cast<int>(kCapabilities.size())) {
        step.kind = kCapabilities[static_cast<std::size_t>(choice)];
    } else {
        step.kind = CapabilityKind::Preset;
        step.preset = kPresets[static_cast<std::size_t>(choice) - kCapabilities.size()];
    }
    step.on = in.flag();
    return step;
}

sim::PrefValue preferenceValue(ByteReader& in) {
    switch (in.below(4)) {
        case 0:
            return in.flag();
        case 1:
            return std::int64_t{in.below(12)} - 1;
        case 2:
            return std::int64_t{in.byte()} * 1000003 - 100000000;
        default:
            return std::to_string(in.below(10));
    }
}

sim::cmd::Prefs preferences(ByteReader& in) {
    sim::cmd::Prefs step;
    const int count = 1 + in.below(5);
    for (int i = 0; i < count; ++i) {
        const auto key = kPreferenceKeys[static_cast<std::size_t>(
            in.below(static_cast<int>(kPreferenceKeys.size())))];
        step.entries.push_back({key, preferenceValue(in)});
    }
    return step;
}

// Bytes that are not a whole property list: a cut-off file, a wrong root, or noise.
sim::cmd::PrefsRaw brokenPreferences(ByteReader& in) {
    static const std::string whole =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
        "<key>rememberSettings</key><true/><key>timerTime</key><integer>9</integer>"
        "</dict></plist>\n";
    switch (in.below(3)) {
        case 0:
            return {whole.substr(0, whole.size() * in.byte() / 256)};
        case 1:
            return {"<plist version=\"1.0\"><array><integer>1</integer></array></plist>"};
        default: {
            std::string noise;
            for (int i = in.below(24); i > 0; --i) {
                noise.push_back(static_cast<char>(in.byte()));
            }
            return {noise};
        }
    }
}

// What the scenario language allows at this point of the sequence.
struct Position {
    bool open = false;
};

sim::CommandBody cameraStep(ByteReader& in, Position& at) {
    using namespace sim::cmd;
    switch (in.below(16)) {
        case 0:
            at.open = false;
            return Close{};
        case 1:
            return Background{};
        case 2:
            return Foreground{};
        case 3:
        case 4:
            return Tap{anyLocation(in)};
        case 5: {
            const auto from = anyLocation(in);
            const auto to = anyPoint(in);
            return Drag{from, to, 0.05 + in.fraction(1.5)};
        }
        case 6:
            return Hold{anyLocation(in), in.fraction(0.5)};
        case 7:
            // A long press: the host's and the library's begin after half a second.
            return Hold{anyLocation(in), 0.5 + in.fraction(2.5)};
        case 8:
        case 9:
            return Shutter{};
        case 10:
            return Rotate{1 + in.below(4)};
        case 11:
            return Mode{in.flag() ? sim::CameraMode::Photo : sim::CameraMode::Video};
        case 12:
            return Panorama{in.flag()};
        case 13:
            return capabilityChange(in);
        case 14:
            return Scroll{kTargets[static_cast<std::size_t>(in.below(10))], in.below(5) - 2};
        default:
            return Wait{in.fraction(100)};
    }
}

sim::CommandBody closedCameraStep(ByteReader& in, Position& at) {
    using namespace sim::cmd;
    switch (in.below(8)) {
        case 0:
        case 1:
        case 2:
            at.open = true;
            return Launch{"com.apple.camera"};
        case 3:
            return preferences(in);
        case 4:
            return brokenPreferences(in);
        case 5:
            return Rotate{1 + in.below(4)};
        case 6:
            return capabilityChange(in);
        default:
            return Wait{in.fraction(100)};
    }
}

}  // namespace

std::vector<sim::CommandBody> decodeEvents(const std::uint8_t* data, std::size_t size) {
    ByteReader in(data, size);
    std::vector<sim::CommandBody> steps;
    Position at;
    while (!in.atEnd() && steps.size() < kMaxSteps) {
        steps.push_back(at.open ? cameraStep(in, at) : closedCameraStep(in, at));
    }
    return steps;
}

std::string scenarioText(const std::vector<sim::CommandBody>& steps) {
    std::string text;
    for (const auto& step : steps) {
        text += sim::describe(step) + "\n";
    }
    return text;
}

}  // namespace fuzzing
