#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/capture/CMTime.h"
#include "platform/capture/CaptureChangeLog.h"
#include "platform/runtime/Object.h"

namespace platform {

inline constexpr const char* AVMediaTypeVideo = "vide";
inline constexpr const char* AVMediaTypeAudio = "soun";

// One stream of a capture input, known by its media type.
class AVCaptureInputPort : public Object {
public:
    static std::shared_ptr<AVCaptureInputPort> create(std::string mediaType);
    const std::string& mediaType() const { return mediaType_; }

    explicit AVCaptureInputPort(std::string mediaType) : mediaType_(std::move(mediaType)) {}

private:
    std::string mediaType_;
};

// Which frame-duration limits a connection lets its client set.
struct FrameDurationSupport {
    bool minimum = false;
    bool maximum = false;
};

// A link from input ports to an output. A video connection that supports frame-duration limits
// starts at the normal range of 24 to 30 frames per second (minimum 1/30 s, maximum 1/24 s);
// a limit it does not support reads as an invalid time. Setting an unsupported limit, or a
// duration that is not a positive time, changes nothing and is logged as refused.
class AVCaptureConnection : public Object {
public:
    static std::shared_ptr<AVCaptureConnection> create(
        std::vector<std::shared_ptr<AVCaptureInputPort>> ports, FrameDurationSupport support);

    const std::vector<std::shared_ptr<AVCaptureInputPort>>& inputPorts() const { return ports_; }
    // The hardware behind the connection can change under a running process.
    void setFrameDurationSupport(FrameDurationSupport support);

    bool isVideoMinFrameDurationSupported() const { return support_.minimum; }
    CMTime videoMinFrameDuration() const { return minDuration_; }
    void setVideoMinFrameDuration(CMTime duration);

    bool isVideoMaxFrameDurationSupported() const { return support_.maximum; }
    CMTime videoMaxFrameDuration() const { return maxDuration_; }
    void setVideoMaxFrameDuration(CMTime duration);

    CaptureChangeLog& changeLog() { return changeLog_; }

    AVCaptureConnection(std::vector<std::shared_ptr<AVCaptureInputPort>> ports,
                        FrameDurationSupport support);

private:
    void setDuration(const char* what, CMTime& current, bool supported, CMTime duration);

    std::vector<std::shared_ptr<AVCaptureInputPort>> ports_;
    FrameDurationSupport support_;
    CMTime minDuration_;
    CMTime maxDuration_;
    CaptureChangeLog changeLog_;
};

}  // namespace platform
