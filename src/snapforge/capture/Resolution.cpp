#include "snapforge/capture/Resolution.h"

#include <array>
#include <string>
#include <string_view>

#include "host/PLCameraController.h"
#include "platform/capture/AVCaptureSession.h"
#include "platform/foundation/Format.h"
#include "snapforge/camerabar/CameraBarEx.h"
#include "snapforge/camerabar/SelectorButton.h"
#include "snapforge/prefs/Preferences.h"
#include "snapforge/startup/State.h"

namespace snapforge {
namespace {

struct Preset {
    std::string_view name;
    const char* sessionPreset;
};

// The selector's strip repeats its seven presets so that it can wrap around.
constexpr std::array<Preset, 7> kPresets{{
    {"1920x1080", platform::AVCaptureSessionPreset1920x1080},
    {"1280x720", platform::AVCaptureSessionPresetiFrame1280x720},
    {"960x540", platform::AVCaptureSessionPresetiFrame960x540},
    {"640x480", platform::AVCaptureSessionPreset640x480},
    {"352x288", platform::AVCaptureSessionPreset352x288},
    {"Medium", platform::AVCaptureSessionPresetMedium},
    {"Low", platform::AVCaptureSessionPresetLow},
}};
constexpr int kSelectorPages = 2 * static_cast<int>(kPresets.size());
constexpr Preset kHigh{"High", platform::AVCaptureSessionPresetHigh};

// Sets the preset on the host's session when the camera supports it.
bool applyPreset(const Preset& preset) {
    auto controller = state().cameraController.lock();
    auto device = controller ? controller->currentDevice() : nullptr;
    if (!device || !device->supportsAVCaptureSessionPreset(preset.sessionPreset)) {
        return false;
    }
    if (auto session = controller->currentSession()) {
        session->setSessionPreset(preset.sessionPreset);
    }
    return true;
}

void unlightResolutionSelector() {
    auto& bar = state().cameraBar;
    if (bar && bar->resolutionBtn) {
        bar->resolutionBtn->setIsSelected(false);
        bar->handleSelectorLight(bar->resolutionBtn.get());
    }
}

void announce(std::string_view format, std::string_view name) {
    if (auto& bar = state().cameraBar) {
        bar->fadeinText(platform::format(format, std::string(name)));
    }
}

}  // namespace

void toggleResolution(int index, bool selected, bool restoring) {
    State& s = state();
    std::string_view name;
    bool applied = false;
    if (selected) {
        s.resolutionIndex = index;
        if (index >= 0 && index < kSelectorPages) {
            const Preset& preset = kPresets[static_cast<std::size_t>(index) % kPresets.size()];
            name = preset.name;
            applied = applyPreset(preset);
            if (!applied) {
                unlightResolutionSelector();
            }
        }
    } else {
        name = kHigh.name;
        applied = applyPreset(kHigh);
    }
    if (!applied) {
        announce("%@ Resolution not supported!", name);
        return;
    }
    announce("%@ Resolution", name);
    s._tmpResolutionSelected = selected;
    s._resolutionSelected = selected;
    if (!restoring && s.rememberSettings) {
        savePrefs();
    }
}

}  // namespace snapforge
