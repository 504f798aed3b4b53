#include <gtest/gtest.h>

#include "platform/Process.h"
#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/SystemLog.h"
#include "platform/ui/AnimationLog.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UISwitch.h"
#include "snapforge/camerabar/SettingsButtonEx.h"
#include "snapforge/prefs/PreferenceButton.h"
#include "snapforge/prefs/PreferencePanel.h"
#include "snapforge/prefs/Preferences.h"
#include "snapforge/prefs/PreferencesFile.h"
#include "snapforge/prefs/SettingsPanel.h"
#include "snapforge/startup/State.h"

namespace snapforge {
namespace {

using platform::NSMutableDictionary;
using platform::PlistValue;
using testing::preferencesOnDisk;
using testing::writePreferencesFile;
constexpr int kAdvPhoto = SettingsPanel::kAdvPhotoSwitchTag;
constexpr int kAdvVideo = SettingsPanel::kAdvVideoSwitchTag;
constexpr int kRemember = SettingsPanel::kRememberSwitchTag;

// A process with saving on, the close notification registered as the camera's objects register
// it, and the preference button shown as the camera bar shows it.
class SettingsPanelStory : public ::testing::Test {
protected:
    SettingsPanelStory() {
        s.DISABLE_SAVE = false;
        s.LOGGER_ON = true;
        platform::CFNotificationCenterAddObserver(
            platform::CFNotificationCenterGetDarwinNotifyCenter(), nullptr,
            _callback_settings_form_closed, std::string(kSettingsFormClosedNotification), nullptr,
            platform::CFNotificationSuspensionBehaviorDeliverImmediately);
        s.prefButton = PreferenceButton::create(platform::CGRectMake(175, 320, 138, 31));
        s.prefButton->setHidden(false);
    }

    static void run(double seconds) { platform::RunLoop::main().runFor(seconds); }

    static void tap(const platform::UIView& view) {
        const auto centre = view.convertPointToScreen(
            {view.bounds().size.width / 2, view.bounds().size.height / 2});
        platform::UIScreen::mainScreen().touchDown(centre);
        run(0.05);
        platform::UIScreen::mainScreen().touchUp(centre);
        run(0.05);
    }

    // Presses the preference button and lets the panel fade in.
    std::shared_ptr<SettingsPanel> openPanel() {
        tap(*s.prefButton->button());
        run(0.5);
        return s.settingsPanel;
    }

    static void expectSwitches(SettingsPanel& panel, bool advPhoto, bool advVideo, bool remember) {
        EXPECT_EQ(panel.switchWithTag(kAdvPhoto)->isOn(), advPhoto);
        EXPECT_EQ(panel.switchWithTag(kAdvVideo)->isOn(), advVideo);
        EXPECT_EQ(panel.switchWithTag(kRemember)->isOn(), remember);
        EXPECT_EQ(panel.advPhotoSwitchState(), advPhoto);
        EXPECT_EQ(panel.advVideoSwitchState(), advVideo);
        EXPECT_EQ(panel.rememberAllSwitchState(), remember);
    }

    static bool logged(const std::string& line) {
        return platform::SystemLog::shared().contains(line);
    }

    platform::Process process;
    State& s = state();
};

TEST_F(SettingsPanelStory, ThePanelShowsDefaultsWithoutAFileAndTheFilesValuesWithOne) {
    handlePrefs();
    auto panel = openPanel();
    ASSERT_TRUE(panel);
    EXPECT_TRUE(platform::AnimationLog::shared().animated(panel.get(), "alpha", "", 0.5));
    EXPECT_FALSE(panel->isHidden());
    expectSwitches(*panel, true, false, false);
    tap(*panel->closeButton());
    run(1);
    ASSERT_FALSE(s.settingsPanel);

    NSMutableDictionary prefs;
    prefs.setObject(PlistValue(false), "advPhotoSelected");
    prefs.setObject(PlistValue(true), "advVideoSelected");
    prefs.setObject(PlistValue(true), "rememberSettings");
    writePreferencesFile(prefs);
    handlePrefs();
    auto fromFile = openPanel();
    ASSERT_TRUE(fromFile);
    expectSwitches(*fromFile, false, true, true);
}

TEST_F(SettingsPanelStory, CloseCopiesTheSwitchesIntoTheStateAndSavesEveryKey) {
    handlePrefs();
    auto panel = openPanel();
    ASSERT_TRUE(panel);
    tap(*panel->switchWithTag(kRemember));
    tap(*panel->switchWithTag(kAdvPhoto));
    EXPECT_FALSE(s.rememberSettings);

    tap(*panel->closeButton());
    // The fade has begun and the notification has come back; the save waits for the fade.
    EXPECT_FLOAT_EQ(panel->alpha(), 0);
    EXPECT_TRUE(logged("** Snapforge ** _callback_settings_form_closed"));
    EXPECT_TRUE(s.rememberSettings);
    EXPECT_FALSE(s._advPhotoSelected);
    EXPECT_TRUE(s._tmpAdvPhotoSelected);
    EXPECT_FALSE(preferencesOnDisk());

    run(0.5);
    EXPECT_FALSE(s.settingsPanel);
    EXPECT_TRUE(panel->isHidden());
    // Once this test lets go of the panel, only the button's window is left on the screen.
    panel.reset();
    EXPECT_EQ(platform::UIScreen::mainScreen().windows().size(), 1u);
    auto written = preferencesOnDisk();
    ASSERT_TRUE(written);
    EXPECT_EQ(written->count(), 16u);
    EXPECT_EQ(written->objectForKey("rememberSettings")->boolValue(), true);
    EXPECT_EQ(written->objectForKey("advPhotoSelected")->boolValue(), false);
}

TEST_F(SettingsPanelStory, ClosingTheCameraKeepsTheNewValuesInMemoryButNotInTheFile) {
    NSMutableDictionary prefs;
    prefs.setObject(PlistValue(true), "advPhotoSelected");
    writePreferencesFile(prefs);
    handlePrefs();
    auto panel = openPanel();
    ASSERT_TRUE(panel);
    tap(*panel->switchWithTag(kAdvPhoto));

    hidePreferencePanel(false);
    EXPECT_FALSE(s._advPhotoSelected);
    run(0.5);
    EXPECT_FALSE(s.settingsPanel);
    EXPECT_EQ(*preferencesOnDisk(), prefs);
    handlePrefs();
    EXPECT_TRUE(s._advPhotoSelected);
}

TEST_F(SettingsPanelStory, ThePreferenceButtonWithAPanelOpenOnlyHidesTheBar) {
    s.settingsButton = SettingsButtonEx::create(platform::CGRectMake(65, 30, 35, 35));
    s.settingsButton->setSelected(true);
    auto panel = openPanel();
    EXPECT_FALSE(s.settingsButton->isSelected());

    s.settingsButton->setSelected(true);
    const auto animations = platform::AnimationLog::shared().records().size();
    // The open panel covers the whole screen, button included: the message comes from code.
    s.prefButton->showPreferences(s.prefButton.get());
    EXPECT_FALSE(s.settingsButton->isSelected());
    EXPECT_EQ(s.settingsPanel, panel);
    EXPECT_EQ(platform::AnimationLog::shared().records().size(), animations);
}

TEST_F(SettingsPanelStory, AProcessWithoutAnOpenPanelIgnoresTheNotification) {
    platform::CFNotificationCenterPostNotification(
        platform::CFNotificationCenterGetDarwinNotifyCenter(),
        std::string(kSettingsFormClosedNotification), nullptr, nullptr, true);
    run(1);
    EXPECT_TRUE(logged("** Snapforge ** _callback_settings_form_closed"));
    EXPECT_TRUE(logged("** Snapforge ** hidePreferencePanel: (null)"));
    EXPECT_FALSE(preferencesOnDisk());
}

TEST_F(SettingsPanelStory, ALateHideLeavesAPanelOpenedAfterTheFirstHideAlone) {
    ASSERT_TRUE(openPanel());
    hidePreferencePanel(true);
    run(0.2);
    hidePreferencePanel(false);
    run(0.35);
    EXPECT_FALSE(s.settingsPanel);

    auto reopened = openPanel();
    ASSERT_TRUE(reopened);
    run(1);
    EXPECT_EQ(s.settingsPanel, reopened);
    EXPECT_FALSE(reopened->isHidden());
}

TEST_F(SettingsPanelStory, AMissingSwitchKeepsItsStateOff) {
    auto panel = SettingsPanel::create(platform::CGRectMake(0, 0, 320, 480));
    panel->switchWithTag(kAdvPhoto)->removeFromSuperview();
    panel->setPreferences(nullptr);
    EXPECT_FALSE(panel->advPhotoSwitchState());
    EXPECT_FALSE(panel->switchWithTag(kAdvPhoto));
}

}  // namespace
}  // namespace snapforge
