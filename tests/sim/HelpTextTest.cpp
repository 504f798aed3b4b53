#include <gtest/gtest.h>

#include <string>

#include "sim/Command.h"
#include "sim/Features.h"
#include "sim/HelpText.h"
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

}  // namespace
}  // namespace sim
