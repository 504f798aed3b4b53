#include "live/LiveSession.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "live/LiveApi.h"
#include "sim/HostDriver.h"
#include "sim/Runner.h"
#include "sim/ScenarioParser.h"
#include "support/TestFiles.h"

namespace live {
namespace {

SessionSettings settingsIn(const std::filesystem::path& folder) {
    SessionSettings settings;
    settings.driver.snapshotFolder = folder;
    settings.pictureAddress = [](const std::string& name) { return "pictures/" + name; };
    return settings;
}

// A finger put down, held while the clock moves, and lifted: the gesture's recorded line.
std::string gesture(LiveSession& session, platform::CGPoint from, platform::CGPoint to,
                    double seconds) {
    EXPECT_EQ(session.touch(TouchPhase::Down, from).status, 200);
    session.passTime(seconds / 2);
    session.touch(TouchPhase::Move, {(from.x + to.x) / 2, (from.y + to.y) / 2});
    session.passTime(seconds / 2);
    return session.touch(TouchPhase::Up, to).answer;
}

std::string ask(LiveSession& session, const std::string& line) {
    const auto outcome = session.consoleLine(line);
    EXPECT_EQ(outcome.status, 200) << line << ": " << outcome.error;
    EXPECT_EQ(outcome.failure, "") << line;
    return outcome.answer;
}

// A person plays with the camera: the live session answers as a scenario would, refuses what
// does not fit the moment with a reason, and what it recorded replays to the same answers.
TEST(LiveSession, WhatAPersonDidReplaysAsAScenarioWithTheSameAnswers) {
    testsupport::TemporaryFolder folder;
    std::string recording;
    {
        LiveSession session(settingsIn(folder.path()));
        session.passTime(1);
        EXPECT_EQ(gesture(session, {200, 300}, {200, 300}, 0.1), "tap 200 300");
        EXPECT_EQ(ask(session, "reticle.focus"), "160,260");
        session.passTime(0.5);
        EXPECT_EQ(gesture(session, {200, 300}, {100, 150}, 0.3), "drag 200 300 to 100 150 0.3");
        EXPECT_EQ(ask(session, "reticle.exposure"), "60,110");
        EXPECT_EQ(gesture(session, {200, 300}, {201, 300}, 0.8), "hold 200 300 0.8");
        EXPECT_EQ(ask(session, "locked.focus"), "YES");

        EXPECT_EQ(session.touch(TouchPhase::Move, {1, 1}).status, 409) << "no finger is down";
        EXPECT_EQ(session.touch(TouchPhase::Down, {10, 10}).status, 200);
        EXPECT_EQ(session.touch(TouchPhase::Down, {20, 20}).status, 409) << "one finger at a time";
        EXPECT_EQ(session.consoleLine("photos").status, 409) << "lines wait for the finger";
        EXPECT_EQ(session.touch(TouchPhase::Up, {10, 10}).answer, "tap 10 10");
        const auto offScreen = session.touch(TouchPhase::Down, {500, 900});
        EXPECT_EQ(offScreen.status, 400);
        EXPECT_NE(offScreen.error.find("off the 320x480 screen"), std::string::npos);
        const auto bad = session.consoleLine("bogus 1");
        EXPECT_EQ(bad.status, 400);
        EXPECT_TRUE(bad.error.starts_with("line 13: expected a command, got \"bogus\""))
            << bad.error;
        const auto failed = session.consoleLine("tap stop-button");
        EXPECT_EQ(failed.status, 200);
        EXPECT_NE(failed.failure.find("stop-button is not on screen"), std::string::npos);

        ask(session, "tap settings-button");
        session.passTime(1);
        ask(session, "tap bar.timer");
        ask(session, "tap dial.minus");
        ask(session, "tap dial.minus");
        EXPECT_EQ(ask(session, "dial.value"), "3");
        ask(session, "shutter");
        const double pressed = session.now();
        EXPECT_EQ(session.runToNext().status, 200);
        EXPECT_GT(session.now(), pressed) << "the clock ran to the countdown's next tick";
        ask(session, "wait 4");
        EXPECT_EQ(ask(session, "photos"), "1");
        recording = session.scenario();
    }
    EXPECT_EQ(recording.find("tap stop-button"), std::string::npos) << "a failed step stays out";
    EXPECT_EQ(recording.find("tap 10 10"), recording.rfind("tap 10 10"));

    sim::HostDriver replay({folder.path(), folder.path()});
    std::ostream nowhere(nullptr);
    sim::Timeline timeline(nowhere, true);
    const auto result =
        sim::runScenario(sim::parseScenario(recording, folder.path()), replay, timeline);
    EXPECT_TRUE(result.failures.empty()) << recording << sim::describe(result.failures.front());
    EXPECT_EQ(result.expectations, 5);
}

TEST(LiveSession, ANewPhoneIsTheDeviceAskedForWithANewRecording) {
    testsupport::TemporaryFolder folder;
    LiveSession session(settingsIn(folder.path()));
    ask(session, "photos");
    EXPECT_EQ(session.reset(std::string("iPhone2,1 ios 5.1.1 screen 320x480")).status, 200);
    EXPECT_EQ(session.scenario(),
              "# recorded with snapforge-sim --live\n"
              "device iPhone2,1 ios 5.1.1 screen 320x480\n"
              "launch com.apple.camera\n");
    EXPECT_EQ(session.state()["library"]["IS_IOS6"], "NO");
    const auto refused = session.reset(std::string("iPhone2,1 ios"));
    EXPECT_EQ(refused.status, 400);
    EXPECT_NE(refused.error.find("a system version"), std::string::npos) << refused.error;
}

// The API decodes a request or says why it cannot.
TEST(LiveApi, RefusesWhatItCannotDecodeWithAStatusAndAReason) {
    testsupport::TemporaryFolder folder;
    LiveSession session(settingsIn(folder.path()));
    LiveApi api(session);
    const auto post = [&](const std::string& path, const std::string& body) {
        return api.handle({"POST", path, {}, body});
    };
    const auto refusedWith = [](const ApiResponse& response, int status, const std::string& why) {
        EXPECT_EQ(response.status, status) << response.body;
        EXPECT_NE(response.body.find(why), std::string::npos) << response.body;
    };
    refusedWith(post("/api/touch", "{"), 400, "a JSON object");
    refusedWith(post("/api/touch", R"({"phase":"press","x":1,"y":1})"), 400, "phase must be");
    refusedWith(post("/api/touch", R"({"phase":"down","x":"1","y":1})"), 400, "x and y must be");
    refusedWith(post("/api/touch", R"({"phase":"down","x":1e309,"y":1})"), 400, "JSON object");
    refusedWith(post("/api/touch", R"({"phase":"down","x":20000,"y":1})"), 400, "x and y");
    refusedWith(post("/api/touch", R"({"phase":"up","x":1,"y":1})"), 409, "no finger");
    refusedWith(post("/api/line", R"({"line":7})"), 400, "line must be a string");
    refusedWith(post("/api/line", R"({"line":"wait -1"})"), 400, "line 3: expected a duration");
    refusedWith(post("/api/clock", R"({"speed":5})"), 400, "speed must be 0, 1, 10 or 60");
    refusedWith(post("/api/reset", R"({"device":3})"), 400, "device must be a string");
    refusedWith(api.handle({"GET", "/api/inspect", {{"x", "1"}}, ""}), 400, "x and y must be");
    refusedWith(api.handle({"GET", "/api/picture/passwd", {}, ""}), 404, "no picture passwd");
    refusedWith(api.handle({"DELETE", "/api/line", {}, ""}), 404, "no DELETE /api/line");

    const auto answered = post("/api/line", R"({"line":"visible focus-reticle"})");
    EXPECT_EQ(answered.status, 200);
    EXPECT_NE(answered.body.find(R"("answer":"YES")"), std::string::npos) << answered.body;
    const auto views = api.handle({"GET", "/api/inspect", {{"x", "30"}, {"y", "380"}}, ""});
    EXPECT_NE(views.body.find(R"("target":"wb-lock")"), std::string::npos) << views.body;
    EXPECT_EQ(post("/api/clock", R"({"speed":0})").status, 200);
    EXPECT_EQ(session.speed(), 0);
}

}  // namespace
}  // namespace live
