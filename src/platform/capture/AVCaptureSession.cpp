#include "platform/capture/AVCaptureSession.h"

#include <algorithm>
#include <array>

namespace platform {
namespace {

bool isPresetName(const std::string& preset) {
    static constexpr std::array names{
        AVCaptureSessionPresetPhoto,         AVCaptureSessionPresetHigh,
        AVCaptureSessionPresetMedium,        AVCaptureSessionPresetLow,
        AVCaptureSessionPreset352x288,       AVCaptureSessionPreset640x480,
        AVCaptureSessionPreset1280x720,      AVCaptureSessionPreset1920x1080,
        AVCaptureSessionPresetiFrame960x540, AVCaptureSessionPresetiFrame1280x720};
    return std::find(names.begin(), names.end(), preset) != names.end();
}

}  // namespace

std::shared_ptr<AVCaptureSession> AVCaptureSession::create(std::shared_ptr<AVCaptureDevice> input) {
    return std::make_shared<AVCaptureSession>(std::move(input));
}

bool AVCaptureSession::canSetSessionPreset(const std::string& preset) const {
    if (!isPresetName(preset)) {
        return false;
    }
    return !input_ || input_->supportsAVCaptureSessionPreset(preset);
}

void AVCaptureSession::setSessionPreset(const std::string& preset) {
    const bool accepted = canSetSessionPreset(preset);
    if (accepted) {
        preset_ = preset;
    }
    changeLog_.record("sessionPreset", preset, accepted);
}

}  // namespace platform
