#pragma once

#include <string>
#include <string_view>

#include "platform/foundation/CFNotificationCenter.h"

namespace snapforge {

// Posted system-wide when the user closes the settings panel.
inline constexpr std::string_view kSettingsFormClosedNotification =
    "Snapforge_Settings_Form_Closed";

// Copies the open panel's switches into the state and takes the panel down half a second
// later, then saves the preferences when asked to. Does nothing while no panel is open.
void hidePreferencePanel(bool save);
// The same without saving, for a camera that is going: the panel leaves the screen at once
// rather than staying up, over whatever shows next, until the half second is over.
void dropPreferencePanel();

// The Darwin callback of the panel's close: takes this process's panel down and saves.
void _callback_settings_form_closed(platform::CFNotificationCenterRef center, void* observer,
                                    const std::string& name, const void* object,
                                    const void* userInfo);

}  // namespace snapforge
