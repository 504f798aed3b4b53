#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "fuzz/harness/CheckedRun.h"
#include "fuzz/harness/EventSequence.h"
#include "fuzz/harness/Invariants.h"
#include "platform/ui/UIWindow.h"
#include "sim/ScenarioError.h"
#include "sim/ScenarioParser.h"
#include "snapforge/CameraStory.h"
#include "snapforge/prefs/Preferences.h"
#include "support/TestFiles.h"

namespace fuzzing {
namespace {

std::vector<std::uint8_t> randomBytes(std::mt19937& random, std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (auto& byte : bytes) {
        byte = static_cast<std::uint8_t>(random());
    }
    return bytes;
}

std::vector<sim::CommandBody> parsedBack(const std::string& text) {
    std::vector<sim::CommandBody> steps;
    for (auto& command : sim::parseScenario(text, ".").commands) {
        steps.push_back(std::move(command.body));
    }
    return steps;
}

TEST(EventSequence, AnyBytesGiveAScenarioThatParsesBackToTheSameSteps) {
    std::mt19937 random(11);
    for (int i = 0; i < 300; ++i) {
        const auto bytes = randomBytes(random, random() % 200);
        const auto steps = decodeEvents(bytes.data(), bytes.size());
        EXPECT_LE(steps.size(), kMaxSteps);
        const std::string text = scenarioText(steps);
        try {
            const std::string again = scenarioText(parsedBack(text));
            const auto differ = std::mismatch(text.begin(), text.end(), again.begin(), again.end());
            EXPECT_EQ(again, text)
                << "differs from: "
                << std::string(differ.first, std::min(differ.first + 60, text.end()));
        } catch (const sim::ScenarioError& error) {
            ADD_FAILURE() << error.what() << " in\n" << text;
        }
    }
}

TEST(EventSequence, RandomSequencesKeepEveryPromise) {
    std::mt19937 random(7);
    for (int i = 0; i < 60; ++i) {
        const auto bytes = randomBytes(random, 20 + random() % 100);
        const auto steps = decodeEvents(bytes.data(), bytes.size());
        if (const auto broken = runChecked(steps)) {
            ADD_FAILURE() << failureReport(steps, *broken);
        }
    }
}

class Invariants : public snapforge::testing::CameraStory {
protected:
    InvariantChecker checker{process.deviceRoot()};
    const sim::CommandBody wait = sim::cmd::Wait{1};
};

TEST_F(Invariants, AStrayWindowAMessageNobodyKnowsAndAPhotoNobodyAskedForAreEachCaught) {
    launch();
    EXPECT_FALSE(checker.afterStep(sim::cmd::Launch{"com.apple.camera"}, false, 0));

    const auto stray = platform::UIWindow::create(platform::CGRectMake(0, 0, 10, 10));
    stray->setHidden(false);
    const auto level = checker.afterStep(wait, false, 0);
    ASSERT_TRUE(level);
    EXPECT_EQ(level->invariant, "library windows at level 1999, the stop button at 2000");

    stray->setWindowLevel(1999);
    EXPECT_FALSE(checker.afterStep(wait, false, 0));
    app.close();
    const auto closed = checker.afterStep(sim::cmd::Close{}, false, 0);
    ASSERT_TRUE(closed);
    EXPECT_EQ(closed->invariant, "no library window showing while the camera is closed");
    stray->setHidden(true);

    const auto photo = checker.afterStep(wait, false, 1);
    ASSERT_TRUE(photo);
    EXPECT_EQ(photo->invariant, "no photo without a shutter press");

    platform::send(stray.get(), platform::Selector<void()>{"noSuchMessage"});
    const auto message = checker.afterStep(wait, false, 0);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->invariant, "no unrecognised selector");
}

TEST_F(Invariants, APreferencesFileLeftBrokenByTheLibraryIsCaughtOneWrittenByTheScenarioIsNot) {
    launch();
    const std::string phonePath = std::string(snapforge::kPreferencesFolder) + "/" +
                                  std::string(snapforge::kPreferencesFileName);
    testsupport::writeDeviceFile(phonePath, "<plist><dict><key>cut");
    EXPECT_FALSE(checker.afterStep(sim::cmd::PrefsRaw{"<plist><dict><key>cut"}, false, 0));
    testsupport::writeDeviceFile(phonePath, "<plist><dict><key>cut off");
    const auto broken = checker.afterStep(wait, false, 0);
    ASSERT_TRUE(broken);
    EXPECT_EQ(broken->invariant, "the preferences file absent or a whole property list");
}

}  // namespace
}  // namespace fuzzing
