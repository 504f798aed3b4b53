// Hostile and mistaken scenarios through the built simulator: each is refused as a scenario
// error naming its line, quickly, never passing, hanging or dying on a signal.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/TestFiles.h"

namespace sim {
namespace {

const std::filesystem::path kBadScenarios = SNAPFORGE_SOURCE_DIR "/tests/scenarios/bad";

struct TimedRun {
    testsupport::CommandRun run;
    double seconds = 0;  // of processor time, which a busy machine does not stretch
};

double childProcessorSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The simulator with a guard: a run that hangs is ended after 10 s (and fails with status 124)
// instead of stalling the tests.
TimedRun simulate(const std::string& arguments) {
    const double before = childProcessorSeconds();
    auto run =
        testsupport::runCommand("timeout 10 " + std::string(SNAPFORGE_SIM_PATH) + " " + arguments);
    return {std::move(run), childProcessorSeconds() - before};
}

// "# error: line 3: expected ..." -> {"line 3: ", "expected ..."}
std::pair<std::string, std::string> expectedError(const std::filesystem::path& scenario) {
    std::ifstream file(scenario, std::ios::binary);
    std::string header;
    std::getline(file, header);
    // A file about a byte-order mark starts with one.
    if (header.starts_with("\xEF\xBB\xBF")) {
        header.erase(0, 3);
    }
    const std::string prefix = "# error: ";
    EXPECT_TRUE(header.starts_with(prefix)) << scenario;
    const auto rest = header.substr(std::min(prefix.size(), header.size()));
    const auto colon = rest.find(": ");
    if (colon == std::string::npos) {
        return {rest, ""};
    }
    return {rest.substr(0, colon + 2), rest.substr(colon + 2)};
}

TEST(BadScenarios, EachIsAScenarioErrorNamingItsLineWithinASecond) {
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kBadScenarios)) {
        if (entry.path().extension() != ".scenario") {
            continue;
        }
        ++checked;
        const auto [line, message] = expectedError(entry.path());
        const auto timed = simulate("--quiet '" + entry.path().string() + "'");
        const std::string name = entry.path().filename().string();
        EXPECT_EQ(timed.run.status, 2) << name << "\n" << timed.run.out;
        EXPECT_NE(timed.run.out.find(name + ": " + line), std::string::npos) << name << "\n"
                                                                             << timed.run.out;
        EXPECT_NE(timed.run.out.find(message), std::string::npos) << name << "\n" << timed.run.out;
        EXPECT_LT(timed.seconds, 1.0) << name;
    }
    EXPECT_GE(checked, 20);
}

// A folder of the test's own, with a FIFO in it.
class FifoFolder : public ::testing::Test {
protected:
    FifoFolder() { EXPECT_EQ(::mkfifo(fifo_.c_str(), 0600), 0); }

    testsupport::TemporaryFolder temporary_;
    const std::filesystem::path folder_ = temporary_.path();
    const std::filesystem::path fifo_ = folder_ / "pipe";
};

TEST_F(FifoFolder, NeitherAFifoNorADeviceIsReadAsAScenarioOrAPreferencesFile) {
    const auto scenario = folder_ / "prefs-from-pipe.scenario";
    std::ofstream(scenario) << "launch\nclose\nprefs-file pipe\n";
    const auto fromPipe = simulate(scenario.string());
    EXPECT_EQ(fromPipe.run.status, 2);
    EXPECT_NE(fromPipe.run.out.find("line 3: expected a readable regular file at \"pipe\", but"),
              std::string::npos)
        << fromPipe.run.out;
    EXPECT_NE(fromPipe.run.out.find("is a FIFO, not a regular file"), std::string::npos);

    const std::pair<std::string, std::string> sources[] = {
        {fifo_.string(), "is a FIFO, not a regular file"},
        {"/dev/zero", "is a device, not a regular file"},
        {folder_.string(), "is a folder, not a file"},
    };
    for (const auto& [source, reason] : sources) {
        const auto run = simulate(source);
        EXPECT_EQ(run.run.status, 2) << source << "\n" << run.run.out;
        EXPECT_NE(run.run.out.find("cannot read scenario"), std::string::npos) << run.run.out;
        EXPECT_NE(run.run.out.find(reason), std::string::npos) << run.run.out;
        EXPECT_LT(run.seconds, 1.0) << source;
    }
}

}  // namespace
}  // namespace sim
