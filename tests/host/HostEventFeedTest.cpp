#include <gtest/gtest.h>

#include "host/HostTestSupport.h"

namespace host::testing {
namespace {

TEST(HostEventFeed, ListenersHearEventsWithTheirVirtualTime) {
    platform::Process process;
    HostEventFeed feed;
    std::vector<std::string> heard;
    const int token = feed.subscribe([&](const HostEvent& event) {
        heard.push_back(event.text + " @" + std::to_string(event.time));
    });
    feed.publish(HostEventKind::IrisOpened, "iris opened");
    platform::RunLoop::main().runFor(1.5);
    feed.publish(HostEventKind::PhotoTaken, "photo 1 taken");
    feed.unsubscribe(token);
    feed.publish(HostEventKind::IrisClosed, "iris closed");

    EXPECT_EQ(heard,
              (std::vector<std::string>{"iris opened @0.000000", "photo 1 taken @1.500000"}));
    EXPECT_EQ(feed.history().size(), 3u);
    EXPECT_EQ(feed.count(HostEventKind::PhotoTaken), 1);
}

TEST(HostEventFeed, ADayOfPhotosIsCountedWholeWhileTheHistoryKeepsTheLatest) {
    platform::Process process;
    HostEventFeed feed;
    const int photos = 14400;
    for (int i = 1; i <= photos; ++i) {
        feed.publish(HostEventKind::PhotoTaken, "photo " + std::to_string(i) + " taken");
    }
    EXPECT_EQ(feed.count(HostEventKind::PhotoTaken), photos);
    EXPECT_EQ(feed.count(HostEventKind::IrisClosed), 0);
    EXPECT_LE(feed.history().size(), 2 * HostEventFeed::kKeptEvents);
    EXPECT_EQ(feed.history().back().text, "photo 14400 taken");
}

TEST(HostEventFeed, AListenerMayUnsubscribeWhileHearing) {
    platform::Process process;
    HostEventFeed feed;
    int calls = 0;
    int token = 0;
    token = feed.subscribe([&](const HostEvent&) {
        ++calls;
        feed.unsubscribe(token);
    });
    feed.publish(HostEventKind::Rotated, "rotated to 2");
    feed.publish(HostEventKind::Rotated, "rotated to 1");
    EXPECT_EQ(calls, 1);
}

class TimelineTest : public CameraAppTest {};

TEST_F(TimelineTest, ACameraSessionReadsAsATimeline) {
    app_.launch();
    run(1);
    app_.pressShutter();
    run(1);
    app_.setCameraMode(SimCameraController::kVideoMode);
    run(1);
    app_.enterBackground();
    app_.enterForeground();
    app_.close();

    std::vector<std::string> lines;
    for (const auto& event : app_.events().history()) {
        if (event.kind != HostEventKind::DeviceChanged) {
            lines.push_back(event.text);
        }
    }
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "camera launched",
                         "preview started",
                         "iris opened",
                         "iris closed",
                         "photo 1 taken",
                         "iris opened",
                         "iris closed",
                         "mode switched to video",
                         "iris opened",
                         "preview stopped",
                         "app entered background",
                         "app entered foreground",
                         "preview started",
                         "iris opened",
                         "preview stopped",
                         "camera closed",
                     }));
}

}  // namespace
}  // namespace host::testing
