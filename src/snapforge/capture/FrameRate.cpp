#include "snapforge/capture/FrameRate.h"

#include "host/PLCameraController.h"
#include "platform/capture/AVCaptureConnection.h"
#include "platform/capture/AVCaptureOutput.h"
#include "snapforge/startup/State.h"

namespace snapforge {
namespace {

// The normal range's limits as the decimals they are compared with; the comparison is exact,
// so a limit of exactly 1/30 s or 1/24 s is still written again.
constexpr double kNormalMinimumSeconds = 0.033333;
constexpr double kNormalMaximumSeconds = 0.041667;
// A maximum the connection reports when it leaves the rate to the hardware.
constexpr double kUnlimitedMaximumSeconds = 0.001;

}  // namespace

std::shared_ptr<platform::AVCaptureConnection> currentVideoConnection() {
    auto controller = state().cameraController.lock();
    return videoConnection(controller ? controller->currentOutput() : nullptr);
}

std::shared_ptr<platform::AVCaptureConnection> videoConnection(
    const std::shared_ptr<platform::AVCaptureOutput>& output) {
    if (!output) {
        return nullptr;
    }
    for (const auto& connection : output->connections()) {
        for (const auto& port : connection->inputPorts()) {
            if (port && port->mediaType() == platform::AVMediaTypeVideo) {
                return connection;
            }
        }
    }
    return nullptr;
}

FrameRateChange setNormalFrameRate(platform::AVCaptureConnection& connection) {
    FrameRateChange change;
    if (connection.isVideoMinFrameDurationSupported()) {
        if (platform::CMTimeGetSeconds(connection.videoMinFrameDuration()) !=
            kNormalMinimumSeconds) {
            connection.setVideoMinFrameDuration(platform::CMTimeMake(1, 30));
        }
        change.minimumSet = true;
    }
    if (connection.isVideoMaxFrameDurationSupported()) {
        const double maximum = platform::CMTimeGetSeconds(connection.videoMaxFrameDuration());
        if (maximum != kUnlimitedMaximumSeconds && maximum != kNormalMaximumSeconds) {
            connection.setVideoMaxFrameDuration(platform::CMTimeMake(1, 24));
        }
        change.maximumSet = true;
    }
    return change;
}

FrameRateChange setCustomFrameRate(platform::AVCaptureConnection& connection, int fps) {
    FrameRateChange change;
    if (fps < 1) {
        return change;
    }
    const auto duration = platform::CMTimeMake(1, fps);
    if (connection.isVideoMinFrameDurationSupported()) {
        connection.setVideoMinFrameDuration(duration);
        change.minimumSet = true;
    }
    if (connection.isVideoMaxFrameDurationSupported()) {
        connection.setVideoMaxFrameDuration(duration);
        change.maximumSet = true;
    }
    return change;
}

}  // namespace snapforge
