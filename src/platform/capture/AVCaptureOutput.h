#pragma once

#include <memory>
#include <vector>

#include "platform/capture/AVCaptureConnection.h"
#include "platform/device/DeviceProfile.h"
#include "platform/runtime/Object.h"

namespace platform {

// A capture output and its connections: an audio connection, then, when the hardware has one,
// a video connection. Clients find the video connection by walking the connections' ports.
class AVCaptureOutput : public Object {
public:
    static std::shared_ptr<AVCaptureOutput> create(const CaptureCapabilities& capabilities);

    const std::vector<std::shared_ptr<AVCaptureConnection>>& connections() const {
        return connections_;
    }

    // Follows a change of the hardware: a video connection that stays keeps its settings.
    void setCapabilities(const CaptureCapabilities& capabilities);

    explicit AVCaptureOutput(const CaptureCapabilities& capabilities);

private:
    std::vector<std::shared_ptr<AVCaptureConnection>> connections_;
};

}  // namespace platform
