#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Process.h"
#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/DevicePath.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/PlistValue.h"
#include "platform/foundation/PropertyListFile.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/SystemLog.h"
#include "platform/ui/AnimationLog.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UISwitch.h"
#include "snapforge/camerabar/SettingsButton.h"
#include "snapforge/prefs/PreferenceButton.h"
#include "snapforge/prefs/PreferencePanel.h"
#include "snapforge/prefs/Preferences.h"
#include "snapforge/prefs/SettingsPanel.h"
#include "snapforge/startup/State.h"

namespace snapforge {
namespace {

using platform::NSMutableDictionary;
using platform::PlistValue;

const std::string kPath = std::string(kPreferencesFolder) + "/" + std::string(kPreferencesFileName);

// A process with saving on, the close notification registered as the camera's objects register
// it, and the preference button shown as the camera bar shows it.
class SettingsPanelStory : public ::testing::Test {
protected:
    SettingsPanelStory() {
        s.DISABLE_SAVE = false;
        platform::CFNotificationCenterAddObserver(
            platform::CFNotificationCenterGetDarwinNotifyCenter(), nullptr,
            _callback_settings_form_closed, std::string(kSettingsFormClosedNotification), nullptr,
            platform::CFNotificationSuspensionBehaviorDeliverImmediately);
        s.prefButton = PreferenceButton::create(platform::CGRectMake(175, 320, 138, 31));
        s.prefButton->setHidden(false);
    }

    void writeFile(const NSMutableDictionary& prefs) {
        std::filesystem::create_directories(platform::devicePath(kPreferencesFolder));
        ASSERT_TRUE(platform::writeToFile(prefs, kPath, true));
    }

    static std::shared_ptr<NSMutableDictionary> fileOnDisk() {
        return platform::dictionaryWithContentsOfFile(kPath);
    }

    static void run(double seconds) { platform::RunLoop::main().runFor(seconds); }

    static void tap(const platform::UIView& view) {
        const auto bounds = view.bounds();
        auto& screen = platform::UIScreen::mainScreen();
        const auto centre = view.convertPointToScreen(
            {bounds.origin.x + bounds.size.width / 2, bounds.origin.y + bounds.size.height / 2});
        screen.touchDown(centre);
        run(0.05);
        screen.touchUp(centre);
        run(0.05);
    }

    // Presses the preference button and lets the panel fade in.
    std::shared_ptr<SettingsPanel> openPanel() {
        tap(*s.prefButton->button());
        run(0.5);
        return s.settingsPanel;
    }

    bool switchIsOn(int tag) { return s.settingsPanel->switchWithTag(tag)->isOn(); }

    platform::Process process;
    State& s = state();
};

TEST_F(SettingsPanelStory, ThePanelShowsDefaultsWithoutAFileAndTheFilesValuesWithOne) {
    handlePrefs();
    auto panel = openPanel();
    ASSERT_TRUE(panel);
    EXPECT_TRUE(platform::AnimationLog::shared().animated(panel.get(), "alpha", "", 0.5));
    EXPECT_FLOAT_EQ(panel->alpha(), 1);
    EXPECT_FALSE(panel->isHidden());
    EXPECT_EQ(panel->windowLevel(), 1999);
    EXPECT_TRUE(switchIsOn(SettingsPanel::kAdvPhotoSwitchTag));
    EXPECT_FALSE(switchIsOn(SettingsPanel::kAdvVideoSwitchTag));
    EXPECT_FALSE(switchIsOn(SettingsPanel::kRememberSwitchTag));
    EXPECT_TRUE(panel->advPhotoSwitchState());
    EXPECT_FALSE(panel->advVideoSwitchState());
    EXPECT_FALSE(panel->rememberAllSwitchState());

    auto close = panel->closeButton();
    ASSERT_TRUE(close);
    EXPECT_EQ(close->frame(), platform::CGRectMake(110, 420, 100, 30));
    EXPECT_EQ(close->currentTitle(), "Close");
    EXPECT_EQ(close->titleFont(), platform::UIFont::fontWithName("Helvetica", 15));
    tap(*close);
    run(1);
    ASSERT_FALSE(s.settingsPanel);

    NSMutableDictionary prefs;
    prefs.setObject(PlistValue(false), "advPhotoSelected");
    prefs.setObject(PlistValue(true), "advVideoSelected");
    prefs.setObject(PlistValue(true), "rememberSettings");
    writeFile(prefs);
    handlePrefs();
    auto fromFile = openPanel();
    ASSERT_TRUE(fromFile);
    EXPECT_FALSE(switchIsOn(SettingsPanel::kAdvPhotoSwitchTag));
    EXPECT_TRUE(switchIsOn(SettingsPanel::kAdvVideoSwitchTag));
    EXPECT_TRUE(switchIsOn(SettingsPanel::kRememberSwitchTag));
    EXPECT_FALSE(fromFile->advPhotoSwitchState());
    EXPECT_TRUE(fromFile->advVideoSwitchState());
    EXPECT_TRUE(fromFile->rememberAllSwitchState());
}

TEST_F(SettingsPanelStory, CloseCopiesTheSwitchesIntoTheStateAndSavesEveryKey) {
    s.LOGGER_ON = true;
    handlePrefs();
    auto panel = openPanel();
    ASSERT_TRUE(panel);
    tap(*panel->switchWithTag(SettingsPanel::kRememberSwitchTag));
    tap(*panel->switchWithTag(SettingsPanel::kAdvPhotoSwitchTag));
    EXPECT_TRUE(panel->rememberAllSwitchState());
    EXPECT_FALSE(panel->advPhotoSwitchState());
    EXPECT_FALSE(s.rememberSettings);

    tap(*panel->closeButton());
    // The fade starts at once; the notification has already been delivered.
    EXPECT_FLOAT_EQ(panel->alpha(), 0);
    EXPECT_TRUE(
        platform::SystemLog::shared().contains("** Snapforge ** _callback_settings_form_closed"));
    EXPECT_TRUE(s.rememberSettings);
    EXPECT_FALSE(s._advPhotoSelected);
    EXPECT_TRUE(s._tmpAdvPhotoSelected);
    EXPECT_FALSE(fileOnDisk());

    run(0.5);
    EXPECT_FALSE(s.settingsPanel);
    EXPECT_TRUE(panel->isHidden());
    // Nothing but this test holds the panel any more: once let go, only the button's window is
    // left.
    panel.reset();
    EXPECT_EQ(platform::UIScreen::mainScreen().windows().size(), 1u);
    auto written = fileOnDisk();
    ASSERT_TRUE(written);
    EXPECT_EQ(written->count(), 16u);
    EXPECT_EQ(written->objectForKey("rememberSettings")->boolValue(), true);
    EXPECT_EQ(written->objectForKey("advPhotoSelected")->boolValue(), false);
}

TEST_F(SettingsPanelStory, ClosingTheCameraKeepsTheNewValuesInMemoryButNotInTheFile) {
    NSMutableDictionary prefs;
    prefs.setObject(PlistValue(true), "advPhotoSelected");
    writeFile(prefs);
    handlePrefs();
    auto panel = openPanel();
    ASSERT_TRUE(panel);
    tap(*panel->switchWithTag(SettingsPanel::kAdvPhotoSwitchTag));

    hidePreferencePanel(false);
    EXPECT_FALSE(s._advPhotoSelected);
    run(0.5);
    EXPECT_FALSE(s.settingsPanel);
    EXPECT_EQ(*fileOnDisk(), prefs);

    handlePrefs();
    EXPECT_TRUE(s._advPhotoSelected);
}

TEST_F(SettingsPanelStory, ThePreferenceButtonWithAPanelOpenOnlyHidesTheBar) {
    s.settingsButton = SettingsButton::create(platform::CGRectMake(65, 30, 35, 35));
    s.settingsButton->setSelected(true);
    auto panel = openPanel();
    ASSERT_TRUE(panel);
    EXPECT_FALSE(s.settingsButton->isSelected());

    s.settingsButton->setSelected(true);
    const auto records = platform::AnimationLog::shared().records().size();
    s.prefButton->showPreferences(s.prefButton.get());
    EXPECT_FALSE(s.settingsButton->isSelected());
    EXPECT_EQ(s.settingsPanel, panel);
    EXPECT_EQ(platform::AnimationLog::shared().records().size(), records);
}

TEST_F(SettingsPanelStory, AProcessWithoutAnOpenPanelIgnoresTheNotification) {
    s.LOGGER_ON = true;
    platform::CFNotificationCenterPostNotification(
        platform::CFNotificationCenterGetDarwinNotifyCenter(),
        std::string(kSettingsFormClosedNotification), nullptr, nullptr, true);
    run(1);
    EXPECT_TRUE(
        platform::SystemLog::shared().contains("** Snapforge ** _callback_settings_form_closed"));
    EXPECT_TRUE(
        platform::SystemLog::shared().contains("** Snapforge ** hidePreferencePanel: (null)"));
    EXPECT_FALSE(fileOnDisk());
    EXPECT_FALSE(s.settingsPanel);
}

TEST_F(SettingsPanelStory, ALateHideLeavesAPanelOpenedAfterTheFirstHideAlone) {
    ASSERT_TRUE(openPanel());
    hidePreferencePanel(true);
    run(0.2);
    hidePreferencePanel(false);
    run(0.35);
    EXPECT_FALSE(s.settingsPanel);
    EXPECT_TRUE(fileOnDisk());

    auto reopened = openPanel();
    ASSERT_TRUE(reopened);
    run(1);
    EXPECT_EQ(s.settingsPanel, reopened);
    EXPECT_FALSE(reopened->isHidden());
}

TEST_F(SettingsPanelStory, AMissingSwitchKeepsItsStateOff) {
    auto panel = SettingsPanel::create(platform::CGRectMake(0, 0, 320, 480));
    panel->switchWithTag(SettingsPanel::kAdvPhotoSwitchTag)->removeFromSuperview();
    panel->setPreferences(nullptr);
    EXPECT_FALSE(panel->advPhotoSwitchState());
    EXPECT_FALSE(panel->switchWithTag(SettingsPanel::kAdvPhotoSwitchTag));
}

}  // namespace
}  // namespace snapforge
