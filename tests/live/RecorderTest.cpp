#include "live/Recorder.h"

#include <gtest/gtest.h>

namespace live {
namespace {

sim::Query plain(sim::QueryKind kind) {
    return {kind, std::nullopt, {}};
}

// What the finger did decides the line, and the replay's clock decides each wait: a tap lasts
// 0.05 s in a replay however long the person took, a hold or a drag as long as it was.
TEST(Recorder, KeepsTouchesAsTheGesturesTheyMadeWithTheTimeBetweenThem) {
    Recorder recorder({"launch"}, 1);

    recorder.fingerDown({100, 200}, 2);
    recorder.fingerMove({104, 203});
    EXPECT_EQ(recorder.fingerUp({105, 205}, 2.25), "tap 100 200") << "quick and within 10 points";

    recorder.fingerDown({160, 260}, 3);
    EXPECT_EQ(recorder.fingerUp({162, 261}, 3.8), "hold 160 260 0.8") << "longer than 0.3 s";

    recorder.fingerDown({200, 300}, 4);
    recorder.fingerMove({200, 320});
    EXPECT_EQ(recorder.fingerUp({205, 300}, 4.4), "drag 200 300 to 205 300 0.4")
        << "once it strayed past 10 points it moved, even if it came back";

    recorder.fingerDown({50, 50}, 10);
    EXPECT_EQ(recorder.fingerUp({50, 50}, 100), "hold 50 50 60")
        << "a scenario holds a finger a minute at most";

    recorder.query(plain(sim::QueryKind::ReticleFocus), "160,260", 100.2);
    recorder.command("wait 5", 101, 106);
    recorder.query(plain(sim::QueryKind::Message), "Timer Mode", 106);
    recorder.query(plain(sim::QueryKind::Photos), "10000000000000", 106);

    EXPECT_EQ(recorder.text(),
              "launch\n"
              "wait 1\n"
              "tap 100 200\n"
              "wait 0.95\n"
              "hold 160 260 0.8\n"
              "wait 0.2\n"
              "drag 200 300 to 205 300 0.4\n"
              "wait 5.6\n"
              "hold 50 50 60\n"
              "wait 30.2\n"
              "expect reticle.focus 160,260\n"
              "wait 0.8\n"
              "wait 5\n"
              "expect message \"Timer Mode\"\n"
              "# photos answered 10000000000000\n");
    EXPECT_EQ(recorder.lineCount(), 15);
}

}  // namespace
}  // namespace live
