// The built simulator run on the scenario files, as a user runs it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/TestFiles.h"

namespace sim {
namespace {

const std::string kScenarios = SNAPFORGE_SOURCE_DIR "/tests/scenarios/";

// Runs snapforge-sim with the arguments in a fresh device root and snapshot folder.
testsupport::CommandRun simulate(const std::string& arguments) {
    const testsupport::TemporaryFolder folder;
    return testsupport::runCommand(std::string(SNAPFORGE_SIM_PATH) + " --root " +
                                   (folder.path() / "root").string() + " --snapshots " +
                                   (folder.path() / "shots").string() + " " + arguments);
}

TEST(ScenarioFiles, TheDefaultTourPasses) {
    const auto run = simulate("");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("focus-reticle shown at 115,195"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("photo 1 taken"), std::string::npos);
    EXPECT_NE(run.out.find("device: white-balance mode 0"), std::string::npos);
    EXPECT_TRUE(run.out.ends_with("result: passed\n")) << run.out;
}

TEST(ScenarioFiles, EachEndsWithItsExitStatus) {
    const std::pair<const char*, int> cases[] = {
        {"other-process.scenario", 0},  {"focus-only.scenario", 0}, {"failing-expect.scenario", 1},
        {"absent-targets.scenario", 1}, {"bad-line.scenario", 2},   {"camera-bar.scenario", 0},
        {"bar-tap.scenario", 0},        {"timed-shot.scenario", 0}, {"time-lapse.scenario", 0},
    };
    for (const auto& [file, status] : cases) {
        const auto run = simulate("--quiet " + kScenarios + file);
        EXPECT_EQ(run.status, status) << file << "\n" << run.out;
    }
}

TEST(ScenarioFiles, AbsentTargetsAreListedAsFailedStepsWithTheirLines) {
    const auto run = simulate("--quiet " + kScenarios + "absent-targets.scenario");
    for (const char* failure : {"FAILED line 5: tap stop-button: stop-button is not on screen",
                                "FAILED line 6: scroll bar.timer 1: bar.timer is not on screen",
                                "FAILED line 7: hold dial.set 1: dial.set is not on screen",
                                "FAILED line 8: drag panel.close to 10 10 0.3: panel.close is not "
                                "on screen"}) {
        EXPECT_NE(run.out.find(failure), std::string::npos) << failure << "\n" << run.out;
    }
    EXPECT_NE(run.out.find("result: 4 failures"), std::string::npos) << run.out;
}

// Each fault a user once met, played end to end.
TEST(ScenarioFiles, TheMendedFaultsStayMended) {
    for (const char* file : {"bar-keeps-the-reticles.scenario", "small-screen-controls.scenario",
                             "tall-screen-controls.scenario", "frame-rate-kept.scenario",
                             "mode-switch-ends-the-count.scenario", "time-lapse-given-up.scenario",
                             "stop-button-turned.scenario", "dial-value-outlives-the-bar.scenario",
                             "dial-keeps-what-it-shows.scenario"}) {
        const auto run = simulate("--quiet " + kScenarios + file);
        EXPECT_EQ(run.status, 0) << file << "\n" << run.out;
    }
}

}  // namespace
}  // namespace sim
