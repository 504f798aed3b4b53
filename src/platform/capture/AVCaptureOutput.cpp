#include "platform/capture/AVCaptureOutput.h"

namespace platform {
namespace {

FrameDurationSupport frameDurationSupport(const CaptureCapabilities& capabilities) {
    return {capabilities.minFrameDuration, capabilities.maxFrameDuration};
}

std::shared_ptr<AVCaptureConnection> makeConnection(const char* mediaType,
                                                    FrameDurationSupport support) {
    return AVCaptureConnection::create({AVCaptureInputPort::create(mediaType)}, support);
}

}  // namespace

std::shared_ptr<AVCaptureOutput> AVCaptureOutput::create(const CaptureCapabilities& capabilities) {
    return std::make_shared<AVCaptureOutput>(capabilities);
}

AVCaptureOutput::AVCaptureOutput(const CaptureCapabilities& capabilities) {
    connections_.push_back(makeConnection(AVMediaTypeAudio, {}));
    setCapabilities(capabilities);
}

void AVCaptureOutput::setCapabilities(const CaptureCapabilities& capabilities) {
    const bool hasVideo = connections_.size() > 1;
    if (!capabilities.videoConnection) {
        connections_.resize(1);
    } else if (hasVideo) {
        connections_[1]->setFrameDurationSupport(frameDurationSupport(capabilities));
    } else {
        connections_.push_back(
            makeConnection(AVMediaTypeVideo, frameDurationSupport(capabilities)));
    }
}

}  // namespace platform
