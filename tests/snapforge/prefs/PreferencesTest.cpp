#include <gtest/gtest.h>

#include <fstream>

#include "platform/Process.h"
#include "platform/foundation/DevicePath.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/PlistValue.h"
#include "platform/foundation/PropertyListFile.h"
#include "platform/foundation/SystemLog.h"
#include "snapforge/prefs/Preferences.h"
#include "snapforge/prefs/PreferencesFile.h"
#include "snapforge/prefs/Tools.h"
#include "snapforge/startup/State.h"

namespace snapforge {
namespace {

using platform::NSMutableDictionary;
using platform::PlistValue;

using testing::kPreferencesPath;
using testing::preferencesOnDisk;
using testing::writePreferencesFile;

class Preferences : public ::testing::Test {
protected:
    platform::Process process;
    State& s = state();

    Preferences() { s.DISABLE_SAVE = false; }

    void writeBytes(const std::string& bytes) {
        std::filesystem::create_directories(platform::devicePath(kPreferencesFolder));
        std::ofstream(platform::devicePath(kPreferencesPath), std::ios::binary) << bytes;
    }
};

TEST_F(Preferences, ToolsFallBackForMissingAndWrongKinds) {
    NSMutableDictionary prefs;
    prefs.setObject(PlistValue("1"), "overlayIndex");
    prefs.setObject(PlistValue(NSMutableDictionary{}), "guideIndex");
    prefs.setObject(PlistValue(true), "flag");
    EXPECT_EQ(Tools::intForKey("overlayIndex", 3, &prefs), 1);
    EXPECT_EQ(Tools::intForKey("guideIndex", 3, &prefs), 3);
    EXPECT_EQ(Tools::intForKey("missing", 7, &prefs), 7);
    EXPECT_EQ(Tools::intForKey("anything", 7, nullptr), 7);
    EXPECT_TRUE(Tools::boolForKey("overlayIndex", false, &prefs));
    EXPECT_TRUE(Tools::boolForKey("guideIndex", true, &prefs));
    EXPECT_FALSE(Tools::boolForKey("guideIndex", false, &prefs));
    EXPECT_TRUE(Tools::boolForKey("flag", false, &prefs));
}

TEST_F(Preferences, NoFileReadsAsDefaultsAndASaveWritesExactlyThreeKeys) {
    handlePrefs();
    EXPECT_FALSE(s.rememberSettings);
    EXPECT_TRUE(s._advPhotoSelected);
    EXPECT_TRUE(s._tmpAdvPhotoSelected);
    EXPECT_FALSE(s._advVideoSelected);
    EXPECT_EQ(s._timerTime, 5);

    savePrefs();
    auto written = preferencesOnDisk();
    ASSERT_TRUE(written);
    EXPECT_EQ(written->allKeys(), (std::vector<std::string>{"advPhotoSelected", "advVideoSelected",
                                                            "rememberSettings"}));
    EXPECT_EQ(written->objectForKey("rememberSettings")->boolValue(), false);
    EXPECT_EQ(written->objectForKey("advPhotoSelected")->boolValue(), true);
}

TEST_F(Preferences, RememberedSelectionsLoadWithTheirOwnDefaults) {
    NSMutableDictionary prefs;
    prefs.setObject(PlistValue(true), "rememberSettings");
    prefs.setObject(PlistValue(true), "resolutionSelected");
    prefs.setObject(PlistValue(true), "overlaySelected");
    prefs.setObject(PlistValue("1"), "overlayIndex");
    writePreferencesFile(prefs);

    handlePrefs();
    EXPECT_TRUE(s.rememberSettings);
    EXPECT_EQ(s._timerTime, 0);
    EXPECT_EQ(s._frameRateTime, 0);
    EXPECT_EQ(s.overlayIndex, 1);
    EXPECT_EQ(s.guideIndex, 3);
    EXPECT_FALSE(s._resolutionSelected);
    EXPECT_FALSE(s._tmpResolutionSelected);
    EXPECT_TRUE(s._tmpOverlaySelected);

    // With remember-settings on, a save writes every key.
    savePrefs();
    EXPECT_EQ(preferencesOnDisk()->count(), 16u);
}

TEST_F(Preferences, OnlyTheFirstLoadPutsTheAdvancedDefaultsInForce) {
    NSMutableDictionary prefs;
    prefs.setObject(PlistValue(false), "advPhotoSelected");
    writePreferencesFile(prefs);
    handlePrefs();
    EXPECT_FALSE(s._tmpAdvPhotoSelected);

    prefs.setObject(PlistValue(true), "advPhotoSelected");
    writePreferencesFile(prefs);
    handlePrefs();
    EXPECT_TRUE(s._advPhotoSelected);
    EXPECT_FALSE(s._tmpAdvPhotoSelected);
}

TEST_F(Preferences, BrokenOrWrongTypedFilesReadAsDefaults) {
    for (const std::string& bytes : {std::string("not a property list"),
                                     std::string("<?xml version=\"1.0\"?><plist><array/></plist>"),
                                     std::string(""), std::string(100000, '<')}) {
        writeBytes(bytes);
        s._didSetPrefs = false;
        handlePrefs();
        EXPECT_FALSE(s.prefsDictionary) << bytes.substr(0, 20);
        EXPECT_TRUE(s._tmpAdvPhotoSelected);
        EXPECT_FALSE(s.rememberSettings);
    }
    NSMutableDictionary wrongTypes;
    wrongTypes.setObject(PlistValue(NSMutableDictionary{}), "rememberSettings");
    wrongTypes.setObject(PlistValue(platform::PlistArray{}), "advPhotoSelected");
    writePreferencesFile(wrongTypes);
    handlePrefs();
    EXPECT_FALSE(s.rememberSettings);
    EXPECT_TRUE(s._advPhotoSelected);
}

TEST_F(Preferences, NothingIsReadOrWrittenWhileSavingIsDisabled) {
    NSMutableDictionary prefs;
    prefs.setObject(PlistValue(true), "rememberSettings");
    writePreferencesFile(prefs);
    s.DISABLE_SAVE = true;
    handlePrefs();
    EXPECT_FALSE(s.prefsDictionary);
    EXPECT_FALSE(s.rememberSettings);
    EXPECT_FALSE(s._didSetPrefs);
    s.rememberSettings = true;
    savePrefs();
    EXPECT_EQ(preferencesOnDisk()->count(), 1u);
}

TEST_F(Preferences, ASkippedSaveWritesNothing) {
    s.LOGGER_ON = true;
    s.skipSavePrefs = true;
    savePrefs();
    EXPECT_FALSE(preferencesOnDisk());
    EXPECT_TRUE(platform::SystemLog::shared().contains("** Snapforge ** savePrefs: Skipping it"));
}

TEST_F(Preferences, KeysNotSetByASaveAreKeptAndTheFolderIsCreated) {
    NSMutableDictionary prefs;
    prefs.setObject(PlistValue(7), "overlayIndex");
    writePreferencesFile(prefs);
    handlePrefs();
    savePrefs();
    EXPECT_EQ(preferencesOnDisk()->objectForKey("overlayIndex")->intValue(), 7);
    EXPECT_EQ(preferencesOnDisk()->count(), 4u);
}

}  // namespace
}  // namespace snapforge
