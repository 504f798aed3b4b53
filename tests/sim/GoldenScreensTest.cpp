// What the user sees, against the screens committed in tests/golden/screens: the default tour
// after every step, and each scenario in tests/golden at its `dump` steps. After an intended
// change, `make goldens` rewrites them (SNAPFORGE_REWRITE_GOLDENS=1); review the diff.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

#include "sim/CommandLine.h"
#include "sim/DefaultTour.h"
#include "sim/HostDriver.h"
#include "sim/Pictures.h"
#include "sim/Runner.h"
#include "sim/ScenarioParser.h"
#include "support/TestFiles.h"

namespace sim {
namespace {

namespace fs = std::filesystem;

const fs::path kGoldens = SNAPFORGE_SOURCE_DIR "/tests/golden";
const fs::path kScreens = kGoldens / "screens";
constexpr const char* kTourScreens = "tour.screen";

bool rewriting() {
    const char* value = std::getenv("SNAPFORGE_REWRITE_GOLDENS");
    return value != nullptr && *value != '\0';
}

std::string contentsOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void write(const fs::path& file, const std::string& contents) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << contents;
}

// The screens against their golden file, a failure showing how they differ.
void expectGolden(const std::string& name, const std::string& screens) {
    const fs::path golden = kScreens / name;
    if (rewriting()) {
        write(golden, screens);
        return;
    }
    if (contentsOf(golden) == screens) {
        return;
    }
    const testsupport::TemporaryFolder folder;
    const fs::path seen = folder.path() / name;
    write(seen, screens);
    const auto diff = testsupport::runCommand("diff -u --label golden/" + name + " --label seen '" +
                                              golden.string() + "' '" + seen.string() + "'");
    ADD_FAILURE() << "the screens differ from " << golden.string()
                  << " (`make goldens` rewrites it after an intended change):\n"
                  << diff.out;
}

fs::path rootIn(const testsupport::TemporaryFolder& folder) {
    fs::create_directories(folder.path() / "root");
    return folder.path() / "root";
}

TEST(GoldenScreens, TheTourShowsItsGoldenScreenAfterEveryStep) {
    const testsupport::TemporaryFolder folder;
    HostDriver driver({rootIn(folder), folder.path(), false, builtPictures()});
    std::ostringstream timelineText;
    Timeline timeline(timelineText, true);
    std::string screens;
    std::string last;
    const auto noteScreen = [&](const Command& command) {
        if (std::holds_alternative<cmd::Expect>(command.body)) {
            return;
        }
        const std::string screen = driver.screenDump();
        screens += "# line " + std::to_string(command.line) + ": " + describe(command.body) + "\n" +
                   (screen == last ? "unchanged\n" : screen);
        last = screen;
    };
    const auto result =
        runScenario(parseScenario(kDefaultTour, folder.path()), driver, timeline, noteScreen);
    EXPECT_EQ(result.exitStatus(), kExitPassed) << timelineText.str();
    expectGolden(kTourScreens, screens);
}

TEST(GoldenScreens, EachGoldenScenarioShowsItsGoldenScreens) {
    std::vector<fs::path> scenarios;
    for (const auto& entry : fs::directory_iterator(kGoldens)) {
        if (entry.path().extension() == ".scenario") {
            scenarios.push_back(entry.path());
        }
    }
    std::sort(scenarios.begin(), scenarios.end());
    const auto makeDriver = [](const DriverSettings& settings) -> std::unique_ptr<Driver> {
        return std::make_unique<HostDriver>(settings);
    };
    std::set<std::string> written{kTourScreens};
    for (const auto& scenario : scenarios) {
        const testsupport::TemporaryFolder folder;
        std::ostringstream out;
        const int status =
            runCommandLine({"--quiet", "--root", rootIn(folder).string(), "--snapshots",
                            (folder.path() / "screens").string(), scenario.string()},
                           out, out, makeDriver);
        EXPECT_EQ(status, kExitPassed) << scenario << "\n" << out.str();
        for (const auto& entry : fs::directory_iterator(folder.path() / "screens")) {
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(written.insert(name).second) << name << " is written twice";
            expectGolden(name, contentsOf(entry.path()));
        }
    }
    for (const auto& entry : fs::directory_iterator(kScreens)) {
        const std::string name = entry.path().filename().string();
        if (written.count(name) == 0 && rewriting()) {
            fs::remove(entry.path());
        } else {
            EXPECT_EQ(written.count(name), 1u) << name << " is no scenario's screen any more";
        }
    }
}

}  // namespace
}  // namespace sim
