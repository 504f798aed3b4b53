#include <gtest/gtest.h>

#include <cmath>

#include "platform/capture/AVCaptureOutput.h"
#include "platform/capture/CMTime.h"

namespace platform {
namespace {

std::vector<std::string> mediaTypes(const AVCaptureOutput& output) {
    std::vector<std::string> types;
    for (const auto& connection : output.connections()) {
        for (const auto& port : connection->inputPorts()) {
            types.push_back(port->mediaType());
        }
    }
    return types;
}

TEST(CMTimeTest, SecondsAndValidity) {
    EXPECT_DOUBLE_EQ(CMTimeGetSeconds(CMTimeMake(1, 30)), 1.0 / 30);
    EXPECT_DOUBLE_EQ(CMTimeGetSeconds(CMTimeMake(3, 2)), 1.5);
    EXPECT_EQ(CMTimeMake(1, 60), (CMTime{1, 60}));
    EXPECT_TRUE(std::isnan(CMTimeGetSeconds(kCMTimeInvalid)));
    EXPECT_TRUE(std::isnan(CMTimeGetSeconds(CMTimeMake(1, 0))));
    EXPECT_FALSE(CMTIME_IS_VALID(CMTimeMake(1, -5)));
    // 1/30 s is not the decimal the frame-rate code compares with.
    EXPECT_NE(CMTimeGetSeconds(CMTimeMake(1, 30)), 0.033333);
    EXPECT_EQ(CMTimeDescription(CMTimeMake(1, 24)), "1/24");
}

TEST(AVCaptureOutputTest, AudioConnectionComesBeforeVideo) {
    auto output = AVCaptureOutput::create({});
    ASSERT_EQ(output->connections().size(), 2u);
    EXPECT_EQ(mediaTypes(*output), (std::vector<std::string>{"soun", "vide"}));
    EXPECT_EQ(output->connections()[1]->inputPorts()[0]->mediaType(), AVMediaTypeVideo);

    CaptureCapabilities noVideo;
    noVideo.videoConnection = false;
    EXPECT_EQ(mediaTypes(*AVCaptureOutput::create(noVideo)),
              (std::vector<std::string>{AVMediaTypeAudio}));
}

TEST(AVCaptureOutputTest, VideoConnectionStartsAtTheNormalRangeAndTakesPositiveDurations) {
    auto output = AVCaptureOutput::create({});
    auto& video = *output->connections()[1];
    EXPECT_EQ(video.videoMinFrameDuration(), CMTimeMake(1, 30));
    EXPECT_EQ(video.videoMaxFrameDuration(), CMTimeMake(1, 24));

    video.setVideoMinFrameDuration(CMTimeMake(1, 60));
    video.setVideoMaxFrameDuration(CMTimeMake(1, 0));
    video.setVideoMaxFrameDuration(CMTimeMake(0, 60));
    video.setVideoMaxFrameDuration(CMTimeMake(1, 60));
    EXPECT_EQ(video.videoMinFrameDuration(), CMTimeMake(1, 60));
    EXPECT_EQ(video.videoMaxFrameDuration(), CMTimeMake(1, 60));
    EXPECT_EQ(video.changeLog().entries(),
              (std::vector<CaptureChange>{{"videoMinFrameDuration", "1/60", true},
                                          {"videoMaxFrameDuration", "invalid", false},
                                          {"videoMaxFrameDuration", "0/60", false},
                                          {"videoMaxFrameDuration", "1/60", true}}));
}

TEST(AVCaptureOutputTest, UnsupportedLimitReadsInvalidAndRefusesSetting) {
    CaptureCapabilities minOnly;
    minOnly.maxFrameDuration = false;
    auto output = AVCaptureOutput::create(minOnly);
    auto& video = *output->connections()[1];
    EXPECT_TRUE(video.isVideoMinFrameDurationSupported());
    EXPECT_FALSE(video.isVideoMaxFrameDurationSupported());
    EXPECT_TRUE(std::isnan(CMTimeGetSeconds(video.videoMaxFrameDuration())));
    video.setVideoMaxFrameDuration(CMTimeMake(1, 30));
    EXPECT_FALSE(CMTIME_IS_VALID(video.videoMaxFrameDuration()));
    EXPECT_FALSE(video.changeLog().entries().back().accepted);
    EXPECT_FALSE(output->connections()[0]->isVideoMinFrameDurationSupported());
}

TEST(AVCaptureOutputTest, CapabilitiesChangeWhileRunning) {
    auto output = AVCaptureOutput::create({});
    auto video = output->connections()[1];
    video->setVideoMinFrameDuration(CMTimeMake(1, 60));

    CaptureCapabilities changed;
    changed.maxFrameDuration = false;
    output->setCapabilities(changed);
    EXPECT_EQ(output->connections()[1], video);
    EXPECT_EQ(video->videoMinFrameDuration(), CMTimeMake(1, 60));
    EXPECT_FALSE(video->isVideoMaxFrameDurationSupported());

    changed.videoConnection = false;
    output->setCapabilities(changed);
    EXPECT_EQ(output->connections().size(), 1u);

    output->setCapabilities({});
    ASSERT_EQ(output->connections().size(), 2u);
    EXPECT_EQ(output->connections()[1]->videoMinFrameDuration(), CMTimeMake(1, 30));
    EXPECT_TRUE(output->connections()[1]->isVideoMaxFrameDurationSupported());
}

}  // namespace
}  // namespace platform
