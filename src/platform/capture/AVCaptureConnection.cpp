#include "platform/capture/AVCaptureConnection.h"

namespace platform {
namespace {

constexpr CMTime kNormalMinFrameDuration = CMTimeMake(1, 30);
constexpr CMTime kNormalMaxFrameDuration = CMTimeMake(1, 24);

}  // namespace

std::shared_ptr<AVCaptureInputPort> AVCaptureInputPort::create(std::string mediaType) {
    return std::make_shared<AVCaptureInputPort>(std::move(mediaType));
}

std::shared_ptr<AVCaptureConnection> AVCaptureConnection::create(
    std::vector<std::shared_ptr<AVCaptureInputPort>> ports, FrameDurationSupport support) {
    return std::make_shared<AVCaptureConnection>(std::move(ports), support);
}

AVCaptureConnection::AVCaptureConnection(std::vector<std::shared_ptr<AVCaptureInputPort>> ports,
                                         FrameDurationSupport support)
    : ports_(std::move(ports)) {
    setFrameDurationSupport(support);
}

void AVCaptureConnection::setFrameDurationSupport(FrameDurationSupport support) {
    // A limit that becomes settable starts from the normal range; one that stops being
    // settable reads as invalid. A limit that stays keeps what the client set.
    if (support.minimum != support_.minimum) {
        minDuration_ = support.minimum ? kNormalMinFrameDuration : kCMTimeInvalid;
    }
    if (support.maximum != support_.maximum) {
        maxDuration_ = support.maximum ? kNormalMaxFrameDuration : kCMTimeInvalid;
    }
    support_ = support;
}

void AVCaptureConnection::setVideoMinFrameDuration(CMTime duration) {
    setDuration("videoMinFrameDuration", minDuration_, support_.minimum, duration);
}

void AVCaptureConnection::setVideoMaxFrameDuration(CMTime duration) {
    setDuration("videoMaxFrameDuration", maxDuration_, support_.maximum, duration);
}

void AVCaptureConnection::setDuration(const char* what, CMTime& current, bool supported,
                                      CMTime duration) {
    const bool accepted = supported && CMTIME_IS_VALID(duration) && duration.value > 0;
    if (accepted) {
        current = duration;
    }
    changeLog_.record(what, CMTimeDescription(duration), accepted);
}

}  // namespace platform
