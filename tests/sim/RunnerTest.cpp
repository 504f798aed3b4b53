#include <gtest/gtest.h>

#include <sstream>

#include "sim/FakeDriver.h"
#include "sim/Runner.h"
#include "sim/ScenarioParser.h"

namespace sim {
namespace {

using testing::FakeDriver;

struct Outcome {
    RunResult result;
    std::string output;  // timeline, then summary
};

Outcome run(std::string_view text, FakeDriver& driver, bool quiet = false) {
    std::ostringstream out;
    Timeline timeline(out, quiet);
    Outcome outcome{runScenario(parseScenario(text, "."), driver, timeline), ""};
    printSummary(outcome.result, out);
    outcome.output = out.str();
    return outcome;
}

TEST(RunnerTest, TheTimelineAndTheSummaryShowControlBytesEscaped) {
    FakeDriver driver;
    driver.answers = {{"message", "a\x1b[2Jb\nc"}};
    const auto outcome = run("expect message \"ok\"\n", driver);
    EXPECT_NE(outcome.output.find("got \"a\\x1b[2Jb\\nc\""), std::string::npos) << outcome.output;
    EXPECT_EQ(outcome.output.find('\x1b'), std::string::npos);

    std::ostringstream out;
    Timeline(out, false).event(1, "snapshot written to x\x07.svg");
    EXPECT_EQ(out.str(), "    1.000    snapshot written to x\\x07.svg\n");
}

TEST(RunnerTest, PassingRunPrintsATimelineStampedWithVirtualTime) {
    FakeDriver driver;
    driver.onScreen = {Target::SettingsButton};
    driver.answers = {{"photos", "1"}, {"device.focus-point", "0.5000001,0.5"}};
    const auto outcome =
        run("launch\n"
            "wait 1.25\n"
            "tap settings-button\n"
            "shutter\n"
            "expect photos 1\n"
            "expect device.focus-point 0.5,0.5\n",
            driver);

    EXPECT_EQ(outcome.result.exitStatus(), kExitPassed);
    EXPECT_EQ(driver.performed, (std::vector<std::string>{"launch com.apple.camera", "wait 1.25",
                                                          "tap settings-button", "shutter"}));
    EXPECT_EQ(outcome.output,
              "    0.000  launch com.apple.camera\n"
              "    0.000    camera opened\n"
              "    0.000  wait 1.25\n"
              "    1.250  tap settings-button\n"
              "    1.300  shutter\n"
              "    1.300    photo taken\n"
              "    1.300  expect photos 1: ok\n"
              "    1.300  expect device.focus-point 0.5,0.5: ok\n"
              "summary: 6 steps, 2 expectations, 1.300 s of virtual time\n"
              "result: passed\n");
}

TEST(RunnerTest, EveryFailureIsListedWithItsLineAndTheRunGoesOn) {
    FakeDriver driver;
    driver.answers = {{"visible stop-button", "NO"}, {"message", "Could not lock"}};
    const auto outcome =
        run("launch\n"
            "expect visible stop-button YES\n"
            "# the stop button is not there to tap\n"
            "tap stop-button\n"
            "wait 2\n"
            "expect message \"Could not lock\"\n"
            "expect photos 0\n",
            driver);

    EXPECT_EQ(outcome.result.exitStatus(), kExitFailed);
    EXPECT_EQ(driver.performed.back(), "wait 2");
    ASSERT_EQ(outcome.result.failures.size(), 3u);
    EXPECT_EQ(describe(outcome.result.failures[0]),
              "line 2: expect visible stop-button YES: got NO");
    EXPECT_EQ(describe(outcome.result.failures[1]),
              "line 4: tap stop-button: stop-button is not on screen");
    EXPECT_EQ(describe(outcome.result.failures[2]), "line 7: expect photos 0: got unavailable");
    EXPECT_NE(outcome.output.find("    0.000  FAILED line 4: tap stop-button: stop-button is not "
                                  "on screen\n    0.000  wait 2\n"),
              std::string::npos);
    EXPECT_NE(outcome.output.find("    2.000  expect message \"Could not lock\": ok\n"),
              std::string::npos);
    EXPECT_NE(outcome.output.find("summary: 6 steps, 3 expectations, 2.000 s of virtual time\n"
                                  "  FAILED line 2: expect visible stop-button YES: got NO\n"
                                  "  FAILED line 4: tap stop-button: stop-button is not on screen\n"
                                  "  FAILED line 7: expect photos 0: got unavailable\n"
                                  "result: 3 failures\n"),
              std::string::npos);
}

TEST(RunnerTest, QuietRunPrintsOnlyTheSummaryWithItsFailures) {
    FakeDriver driver;
    const auto outcome = run("launch\nshutter\nexpect bar shown\n", driver, true);
    EXPECT_EQ(outcome.output,
              "summary: 3 steps, 1 expectation, 0.000 s of virtual time\n"
              "  FAILED line 3: expect bar shown: got unavailable\n"
              "result: 1 failure\n");
}

TEST(RunnerTest, AnswersAreQuotedInFailuresWhenTheyAreNotOneWord) {
    FakeDriver driver;
    driver.answers = {{"dial.kind", "TIME LAPSE"}};
    const auto outcome = run("expect dial.kind TIMER\n", driver, true);
    EXPECT_EQ(describe(outcome.result.failures.at(0)),
              "line 1: expect dial.kind TIMER: got \"TIME LAPSE\"");
}

TEST(RunnerTest, DriverReportsAfterTheRunGoNowhere) {
    FakeDriver driver;
    run("launch\n", driver);
    EXPECT_EQ(driver.attachCount, 2);
    driver.perform(cmd::Launch{"com.apple.camera"});  // would reach a finished run otherwise
}

}  // namespace
}  // namespace sim
