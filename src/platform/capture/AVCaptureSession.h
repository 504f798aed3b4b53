#pragma once

#include <memory>
#include <string>

#include "platform/capture/AVCaptureDevice.h"
#include "platform/capture/CaptureChangeLog.h"
#include "platform/runtime/Object.h"

namespace platform {

inline constexpr const char* AVCaptureSessionPresetPhoto = "AVCaptureSessionPresetPhoto";
inline constexpr const char* AVCaptureSessionPresetHigh = "AVCaptureSessionPresetHigh";
inline constexpr const char* AVCaptureSessionPresetMedium = "AVCaptureSessionPresetMedium";
inline constexpr const char* AVCaptureSessionPresetLow = "AVCaptureSessionPresetLow";
inline constexpr const char* AVCaptureSessionPreset352x288 = "AVCaptureSessionPreset352x288";
inline constexpr const char* AVCaptureSessionPreset640x480 = "AVCaptureSessionPreset640x480";
inline constexpr const char* AVCaptureSessionPreset1280x720 = "AVCaptureSessionPreset1280x720";
inline constexpr const char* AVCaptureSessionPreset1920x1080 = "AVCaptureSessionPreset1920x1080";
inline constexpr const char* AVCaptureSessionPresetiFrame960x540 =
    "AVCaptureSessionPresetiFrame960x540";
inline constexpr const char* AVCaptureSessionPresetiFrame1280x720 =
    "AVCaptureSessionPresetiFrame1280x720";

// A capture session; it starts at the "High" preset. It takes only the platform's preset names
// and, once it knows its camera, only presets that camera supports.
class AVCaptureSession : public Object {
public:
    static std::shared_ptr<AVCaptureSession> create(std::shared_ptr<AVCaptureDevice> input = {});

    // The session keeps its camera, as the platform's keeps its inputs.
    void setInputDevice(std::shared_ptr<AVCaptureDevice> input) { input_ = std::move(input); }

    const std::string& sessionPreset() const { return preset_; }
    bool canSetSessionPreset(const std::string& preset) const;
    // A preset it cannot take changes nothing and is logged as refused.
    void setSessionPreset(const std::string& preset);

    CaptureChangeLog& changeLog() { return changeLog_; }

    explicit AVCaptureSession(std::shared_ptr<AVCaptureDevice> input) : input_(std::move(input)) {}

private:
    std::shared_ptr<AVCaptureDevice> input_;
    std::string preset_ = AVCaptureSessionPresetHigh;
    CaptureChangeLog changeLog_;
};

}  // namespace platform
