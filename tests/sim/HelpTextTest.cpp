#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/Process.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/PropertyListFile.h"
#include "sim/Command.h"
#include "sim/Features.h"
#include "sim/HelpText.h"
#include "snapforge/prefs/Preferences.h"
#include "snapforge/startup/State.h"

namespace sim {
namespace {

bool mentions(const std::string& help, const std::string& word) {
    return help.find(" " + word + " ") != std::string::npos ||
           help.find(" " + word + "\n") != std::string::npos ||
           help.find(" " + word + ",") != std::string::npos;
}

TEST(HelpTextTest, ListsEveryNameAScenarioMayUse) {
    const std::string help = scenarioLanguageHelp();
    for (const auto name : snapforge::State::scalarNames()) {
        EXPECT_TRUE(mentions(help, std::string(name))) << name;
    }
    for (const char* capability : {"focus-continuous", "lock-config", "video-connection",
                                   "max-frame-duration", "preset:NAME"}) {
        EXPECT_TRUE(mentions(help, capability)) << capability;
    }
    EXPECT_NE(help.find("rotate 1 portrait, 2 upside down, 3 landscape"), std::string::npos);
    EXPECT_NE(help.find("X Y in screen points"), std::string::npos);
    EXPECT_NE(help.find("x,y,width,height in the coordinates of the target's parent view"),
              std::string::npos);
    EXPECT_NE(help.find("the reticle's origin (its top left corner)"), std::string::npos);
    EXPECT_NE(help.find("hold and drag last at most 60 s"), std::string::npos);
}

TEST(HelpTextTest, MarksExactlyTheTargetsAndQueriesOfFeaturesNotBuilt) {
    const std::string help = scenarioLanguageHelp();
    for (const Target target : allTargets()) {
        const std::string name(targetName(target));
        const bool built = isBuilt(featureOf(target));
        EXPECT_TRUE(mentions(help, built ? name : name + "*")) << name;
        EXPECT_FALSE(mentions(help, built ? name + "*" : name)) << name;
    }
    for (const auto& query : allQueryNames()) {
        const std::string name = usage(query);
        EXPECT_TRUE(mentions(help, isBuilt(featureOf(query.kind)) ? name : name + "*")) << name;
    }
    EXPECT_TRUE(isBuilt(featureOf(Target::FocusReticle)));
    EXPECT_TRUE(isBuilt(featureOf(QueryKind::State)));
}

// The page the help points to explains every target and every key a remembering save writes.
TEST(HelpTextTest, TheScenarioPageItPointsToCoversTargetsNumbersAndPreferenceKeys) {
    EXPECT_NE(scenarioLanguageHelp().find("docs/SCENARIOS.md"), std::string::npos);
    std::ifstream file(SNAPFORGE_SOURCE_DIR "/docs/SCENARIOS.md");
    const std::string page((std::istreambuf_iterator<char>(file)), {});
    ASSERT_FALSE(page.empty());
    const auto quoted = [&page](std::string_view name) {
        return page.find("`" + std::string(name) + "`") != std::string::npos;
    };
    for (const Target target : allTargets()) {
        EXPECT_TRUE(quoted(targetName(target))) << targetName(target);
    }
    for (const char* name : {"bar.mode", "device.focus-mode", "device.wb-mode", "page SELECTOR",
                             "selected SELECTOR", "hold dial.plus 2", "`fading`"}) {
        EXPECT_TRUE(page.find(name) != std::string::npos) << name;
    }

    platform::Process process;
    snapforge::State& s = snapforge::state();
    s.DISABLE_SAVE = false;
    s.rememberSettings = true;
    snapforge::savePrefs();
    const auto saved =
        platform::dictionaryWithContentsOfFile(std::string(snapforge::kPreferencesFolder) + "/" +
                                               std::string(snapforge::kPreferencesFileName));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->allKeys().size(), 16u);
    for (const auto& key : saved->allKeys()) {
        EXPECT_TRUE(quoted(key)) << key;
    }
}

}  // namespace
}  // namespace sim
