#pragma once

#include <memory>

namespace platform {
class AVCaptureConnection;
class AVCaptureOutput;
}  // namespace platform

namespace snapforge {

// The first connection of an output with a video port, or empty.
std::shared_ptr<platform::AVCaptureConnection> videoConnection(
    const std::shared_ptr<platform::AVCaptureOutput>& output);
// The video connection of the host's current output.
std::shared_ptr<platform::AVCaptureConnection> currentVideoConnection();

// Which limits of a connection a frame-rate change covered: each one the connection supports,
// whether or not it had to be written.
struct FrameRateChange {
    bool minimumSet = false;
    bool maximumSet = false;
    bool any() const { return minimumSet || maximumSet; }
};

// Back to the normal range of 24 to 30 frames per second.
FrameRateChange setNormalFrameRate(platform::AVCaptureConnection& connection);
// Fixes both limits at fps frames per second; a rate below 1 is refused (no change).
FrameRateChange setCustomFrameRate(platform::AVCaptureConnection& connection, int fps);

}  // namespace snapforge
