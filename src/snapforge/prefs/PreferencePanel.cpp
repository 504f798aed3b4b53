#include "snapforge/prefs/PreferencePanel.h"

#include "snapforge/prefs/Preferences.h"
#include "snapforge/prefs/SettingsPanel.h"
#include "snapforge/startup/Log.h"
#include "snapforge/startup/State.h"

namespace snapforge {

void hidePreferencePanel(bool save) {
    State& s = state();
    log("** Snapforge ** hidePreferencePanel: %@", s.settingsPanel);
    auto panel = s.settingsPanel;
    if (!panel) {
        return;
    }
    s._advPhotoSelected = panel->advPhotoSwitchState();
    s._advVideoSelected = panel->advVideoSwitchState();
    s.rememberSettings = panel->rememberAllSwitchState();
    // The completion takes down the panel it was started for: a panel opened after an earlier
    // hide has finished is not this one.
    platform::UIView::animate(
        0.5, 0, 0, [] {},
        [panel, save](bool) {
            panel->setHidden(true);
            panel->removeFromSuperview();
            State& s = state();
            if (s.settingsPanel == panel) {
                s.settingsPanel.reset();
            }
            if (save) {
                savePrefs();
            }
        });
}

void dropPreferencePanel() {
    hidePreferencePanel(false);
    if (const auto& panel = state().settingsPanel) {
        panel->setHidden(true);
    }
}

void _callback_settings_form_closed(platform::CFNotificationCenterRef, void*, const std::string&,
                                    const void*, const void*) {
    log("** Snapforge ** _callback_settings_form_closed");
    hidePreferencePanel(true);
}

}  // namespace snapforge
