#include <gtest/gtest.h>
#include <httplib.h>

#include <fstream>
#include <memory>
#include <optional>
#include <sstream>

#include "sim/CommandLine.h"
#include "sim/FakeDriver.h"
#include "sim/HostDriver.h"
#include "sim/Runner.h"
#include "support/TestFiles.h"

namespace sim {
namespace {

const std::string kScenarios = SNAPFORGE_SOURCE_DIR "/tests/scenarios/";

TEST(CommandLineTest, OptionsTakeFoldersInEitherFormAndOneScenario) {
    std::string error;
    const auto options = parseOptions(
        {"--root", "/tmp/r", "--snapshots=shots", "--log", "--quiet", "walk.scenario"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->deviceRoot, std::filesystem::path("/tmp/r"));
    EXPECT_EQ(options->snapshotFolder, std::filesystem::path("shots"));
    EXPECT_EQ(options->scenario, std::filesystem::path("walk.scenario"));
    EXPECT_TRUE(options->libraryLog && options->quiet && !options->help);

    EXPECT_EQ(parseOptions({"--", "--odd-name"}, error)->scenario, "--odd-name");

    const auto live = parseOptions({"--live", "--port=0", "walk.scenario"}, error);
    ASSERT_TRUE(live) << error;
    EXPECT_TRUE(live->live);
    EXPECT_EQ(live->port, 0);
    EXPECT_EQ(parseOptions({"--live"}, error)->port, kDefaultLivePort);
}

TEST(CommandLineTest, BadOptionsSayWhatIsWrong) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{"--verbose"}, "unknown option --verbose"},
        {{"--rooted"}, "unknown option --rooted"},
        {{"--root"}, "--root needs a folder"},
        {{"--snapshots="}, "--snapshots needs a folder"},
        {{"a", "b"}, "one scenario at most, got \"a\" and \"b\""},
        {{"--port", "80"}, "--port goes with --live"},
        {{"--live", "--port", "70000"},
         "--port needs a port number from 0 (any free port) to 65535"},
        {{"--live", "--report", "run.html"},
         "--report does not go with --live: the page shows the run as it happens"},
        {{"--live", "--keep-root"},
         "--live gives every phone a fresh device root: leave out --root and --keep-root"},
    };
    for (const auto& [args, message] : cases) {
        std::string error;
        EXPECT_FALSE(parseOptions(args, error));
        EXPECT_EQ(error, message);
    }
}

struct Invocation {
    int status = -1;
    std::string out;
    std::string err;
};

std::unique_ptr<Driver> makeFakeDriver(const DriverSettings&) {
    return std::make_unique<testing::FakeDriver>();
}

Invocation invoke(const std::vector<std::string>& args,
                  const DriverFactory& makeDriver = makeFakeDriver) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = runCommandLine(args, out, err, makeDriver);
    return {status, out.str(), err.str()};
}

// A device root of the test's own, gone when the test ends.
using TemporaryRoot = testsupport::TemporaryFolder;

// --live hands the phone's settings and the parsed scenario to the live camera; a bad scenario
// stops it before anything starts.
TEST(CommandLineTest, LiveHandsTheParsedScenarioToTheLiveCamera) {
    std::optional<LiveStart> started;
    const LiveRunner runLive = [&](LiveStart start) {
        started.emplace(std::move(start));
        return 0;
    };
    std::ostringstream out;
    std::ostringstream err;
    const std::vector<std::string> args{"--live", "--port", "9000", "--log",
                                        kScenarios + "bar-tap.scenario"};
    EXPECT_EQ(runCommandLine(args, out, err, makeFakeDriver, runLive), 0) << err.str();
    ASSERT_TRUE(started);
    EXPECT_EQ(started->port, 9000);
    EXPECT_TRUE(started->settings.libraryLog);
    EXPECT_TRUE(started->settings.deviceRoot.empty()) << "each phone makes its own";
    ASSERT_TRUE(started->opening);
    EXPECT_FALSE(started->opening->commands.empty());

    started.reset();
    EXPECT_EQ(runCommandLine({"--live", kScenarios + "bad-line.scenario"}, out, err, makeFakeDriver,
                             runLive),
              kExitScenarioError);
    EXPECT_FALSE(started);
    EXPECT_EQ(invoke({"--live"}).err, "snapforge-sim: this build has no live camera\n");
}

TEST(CommandLineTest, RunsTheScenarioInAGivenRootAndReportsItsFailures) {
    const TemporaryRoot temporary;
    const auto root = temporary.path();
    const auto run =
        invoke({"--root", (root / "nested").string(), kScenarios + "failing-expect.scenario"});
    EXPECT_EQ(run.status, kExitFailed);
    EXPECT_TRUE(std::filesystem::is_directory(root / "nested"));
    EXPECT_TRUE(run.out.starts_with("device root: " + (root / "nested").string() + "\n"));
    EXPECT_NE(run.out.find("  FAILED line 4: expect photos 5: got unavailable\n"),
              std::string::npos);
}

TEST(CommandLineTest, ScenarioProblemsExitWithTwoBeforeAnythingRuns) {
    const auto missing = invoke({kScenarios + "no-such.scenario"});
    EXPECT_EQ(missing.status, kExitScenarioError);
    EXPECT_NE(missing.err.find("cannot read scenario"), std::string::npos);

    const auto bad = invoke({"--quiet", kScenarios + "bad-line.scenario"});
    EXPECT_EQ(bad.status, kExitScenarioError);
    EXPECT_EQ(bad.out, "");
    EXPECT_NE(bad.err.find("bad-line.scenario: line 4: expected a target or X Y"),
              std::string::npos);

    const auto option = invoke({"--bogus"});
    EXPECT_EQ(option.status, kExitScenarioError);
    EXPECT_EQ(option.err, "snapforge-sim: unknown option --bogus (see --help)\n");
}

TEST(CommandLineTest, DefaultTourPassesQuietly) {
    const TemporaryRoot root;
    const auto makeHostDriver = [](const DriverSettings& settings) -> std::unique_ptr<Driver> {
        return std::make_unique<HostDriver>(settings);
    };
    const auto run = invoke({"--quiet", "--root", root.path().string()}, makeHostDriver);
    EXPECT_EQ(run.status, kExitPassed) << run.out << run.err;
    EXPECT_TRUE(run.out.starts_with("summary: ")) << run.out;
}

// A fake driver that remembers the device root it was given.
DriverFactory rememberingRoot(std::filesystem::path& root) {
    return [&root](const DriverSettings& settings) -> std::unique_ptr<Driver> {
        root = settings.deviceRoot;
        return std::make_unique<testing::FakeDriver>();
    };
}

TEST(CommandLineTest, ATemporaryDeviceRootGoesAtExitUnlessKept) {
    std::filesystem::path root;
    const auto plain = invoke({kScenarios + "other-process.scenario"}, rememberingRoot(root));
    ASSERT_FALSE(root.empty());
    EXPECT_FALSE(std::filesystem::exists(root));
    EXPECT_EQ(plain.out.find("device root"), std::string::npos);

    const auto kept = invoke({"--quiet", "--keep-root", kScenarios + "other-process.scenario"},
                             rememberingRoot(root));
    EXPECT_TRUE(std::filesystem::is_directory(root));
    EXPECT_TRUE(kept.out.starts_with("device root (kept): " + root.string() + "\n")) << kept.out;
    std::filesystem::remove_all(root);

    // A root the user names is the user's: kept, and --keep-root changes nothing.
    const TemporaryRoot given;
    invoke({"--keep-root", "--root", given.path().string(), kScenarios + "other-process.scenario"});
    EXPECT_TRUE(std::filesystem::is_directory(given.path()));
}

TEST(CommandLineTest, AFailureInsideTheSimulatorEndsWithAMessageAndStatusTwo) {
    const auto run =
        invoke({kScenarios + "other-process.scenario"},
               [](const DriverSettings&) -> std::unique_ptr<Driver> { throw std::bad_alloc(); });
    EXPECT_EQ(run.status, kExitScenarioError);
    EXPECT_NE(run.err.find("snapforge-sim: the simulator failed: std::bad_alloc"),
              std::string::npos)
        << run.err;
}

TEST(CommandLineTest, AScenarioFileOverItsSizeCapIsRefused) {
    const TemporaryRoot folder;
    const auto scenario = folder.path() / "huge.scenario";
    std::ofstream(scenario) << std::string((std::size_t{1} << 20) + 1, '#');
    const auto run = invoke({scenario.string()});
    EXPECT_EQ(run.status, kExitScenarioError);
    EXPECT_NE(run.err.find("it is larger than 1048576 bytes"), std::string::npos) << run.err;
}

// The built command, run as a user would.
testsupport::CommandRun runBinary(const std::string& arguments) {
    return testsupport::runCommand(std::string(SNAPFORGE_SIM_PATH) + " " + arguments);
}

TEST(SimulatorBinaryTest, HelpPrintsUsageAndSucceeds) {
    const auto run = runBinary("--help");
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.starts_with("usage: snapforge-sim [options] [SCENARIO]\n"));
    EXPECT_NE(run.out.find("--snapshots DIR"), std::string::npos);
    EXPECT_NE(run.out.find("--live  "), std::string::npos);
}

TEST(SimulatorBinaryTest, LiveOnAPortInUseIsAnErrorNamingIt) {
    httplib::Server taken;
    const int port = taken.bind_to_any_port("127.0.0.1");
    ASSERT_GT(port, 0);
    // Were the port shared, the server would serve until the timeout ends it.
    const auto run = testsupport::runCommand("timeout 10 " + std::string(SNAPFORGE_SIM_PATH) +
                                             " --live --port " + std::to_string(port));
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("cannot listen on 127.0.0.1:" + std::to_string(port)), std::string::npos)
        << run.out;
}

TEST(SimulatorBinaryTest, BadLineExitsWithTwoNamingTheLine) {
    const auto run = runBinary(kScenarios + "bad-line.scenario");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("line 4: expected a target or X Y, got \"settings-buton\""),
              std::string::npos)
        << run.out;
}

TEST(SimulatorBinaryTest, FailingExpectationExitsWithOne) {
    const TemporaryRoot root;
    const auto run = runBinary("--quiet --root " + root.path().string() + " " + kScenarios +
                               "failing-expect.scenario");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("FAILED line 4: expect photos 5"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace sim
