// What the user sees and reads, against the goldens committed in tests/golden/expected: the
// default tour's timeline with the screen after every step, and each scenario in tests/golden
// with its timeline and the screens of its `dump` steps. After an intended change,
// `make goldens` rewrites them (SNAPFORGE_REWRITE_GOLDENS=1); review the diff.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

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
const fs::path kExpected = kGoldens / "expected";
constexpr const char* kTourGolden = "tour.timeline";

const bool kRewriting = std::getenv("SNAPFORGE_REWRITE_GOLDENS") != nullptr;

std::string contentsOf(const fs::path& file) {
    std::ostringstream bytes;
    bytes << std::ifstream(file, std::ios::binary).rdbuf();
    return bytes.str();
}

void write(const fs::path& file, const std::string& contents) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << contents;
}

// The text against its golden file, a failure showing how they differ.
void expectGolden(const std::string& name, const std::string& seen) {
    const fs::path golden = kExpected / name;
    if (kRewriting) {
        return write(golden, seen);
    }
    if (contentsOf(golden) == seen) {
        return;
    }
    const testsupport::TemporaryFolder folder;
    write(folder.path() / name, seen);
    const auto diff =
        testsupport::runCommand("diff -u --label golden/" + name + " --label seen '" +
                                golden.string() + "' '" + (folder.path() / name).string() + "'");
    ADD_FAILURE() << name << " differs from its golden (`make goldens` rewrites it after an "
                  << "intended change):\n"
                  << diff.out;
}

// A scenario on a fresh phone with the library's log on (the simulator's --log), its timeline
// kept; `afterStep` may add to the timeline after each step.
class GoldenRun {
public:
    GoldenRun() {
        fs::create_directories(folder_.path() / "root");
        driver_ = std::make_unique<HostDriver>(
            DriverSettings{folder_.path() / "root", shots(), true, builtPictures()});
    }

    const fs::path& shots() const { return folder_.path(); }
    HostDriver& driver() { return *driver_; }

    // The timeline, snapshot paths written from the snapshot folder and the log's object
    // addresses as "0x…", which change from run to run.
    std::string play(std::string_view scenario,
                     const std::function<void(const Command&, std::ostream&)>& afterStep = {}) {
        std::ostringstream out;
        Timeline timeline(out, false);
        const auto result = runScenario(parseScenario(scenario, kGoldens), *driver_, timeline,
                                        [&](const Command& command) {
                                            if (afterStep) {
                                                afterStep(command, out);
                                            }
                                        });
        printSummary(result, out);
        EXPECT_EQ(result.exitStatus(), kExitPassed) << out.str();
        std::string text = out.str();
        const std::string folder = shots().string() + "/";
        for (auto at = text.find(folder); at != std::string::npos; at = text.find(folder, at)) {
            text.erase(at, folder.size());
        }
        return std::regex_replace(text, std::regex("\\b0x[0-9a-f]+"), "0x…");
    }

private:
    testsupport::TemporaryFolder folder_;
    std::unique_ptr<HostDriver> driver_;
};

TEST(GoldenScreens, TheTourShowsItsGoldenTimelineAndScreenAfterEveryStep) {
    GoldenRun run;
    std::string last;
    const auto showScreen = [&](const Command& command, std::ostream& out) {
        if (std::holds_alternative<cmd::Expect>(command.body)) {
            return;
        }
        const std::string screen = run.driver().screenDump();
        std::istringstream lines(screen == last ? "unchanged\n" : screen);
        for (std::string line; std::getline(lines, line);) {
            out << "           | " << line << '\n';
        }
        last = screen;
    };
    expectGolden(kTourGolden, run.play(kDefaultTour, showScreen));
}

TEST(GoldenScreens, EachGoldenScenarioShowsItsGoldenTimelineAndScreens) {
    std::set<std::string> written{kTourGolden};
    for (const auto& file : fs::directory_iterator(kGoldens)) {
        const fs::path& scenario = file.path();
        if (scenario.extension() != ".scenario") {
            continue;
        }
        GoldenRun run;
        const std::string timeline = scenario.stem().string() + ".timeline";
        expectGolden(timeline, run.play(contentsOf(scenario)));
        written.insert(timeline);
        for (const auto& entry : fs::directory_iterator(run.shots())) {
            const std::string name = entry.path().filename().string();
            if (entry.path().extension() == ".screen") {
                EXPECT_TRUE(written.insert(name).second) << name << " is written twice";
                expectGolden(name, contentsOf(entry.path()));
            }
        }
    }
    for (const auto& entry : fs::directory_iterator(kExpected)) {
        const std::string name = entry.path().filename().string();
        if (written.count(name) == 0 && kRewriting) {
            fs::remove(entry.path());
        } else {
            EXPECT_EQ(written.count(name), 1u) << name << " is no golden scenario's any more";
        }
    }
}

}  // namespace
}  // namespace sim
