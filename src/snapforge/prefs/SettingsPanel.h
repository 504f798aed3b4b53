#pragma once

#include <memory>

#include "platform/ui/UIWindow.h"

namespace platform {
class NSMutableDictionary;
class UIButton;
class UISwitch;
}  // namespace platform

namespace snapforge {

// The full-screen settings window: advanced photo by default, advanced video by default and
// remember settings, each a switch whose position the panel keeps in a state of its own.
class SettingsPanel : public platform::UIWindow {
public:
    // The switches' tags.
    static constexpr int kAdvPhotoSwitchTag = 1;
    static constexpr int kAdvVideoSwitchTag = 2;
    static constexpr int kRememberSwitchTag = 3;

    static std::shared_ptr<SettingsPanel> create(platform::CGRect frame);

    // Sets the switches and their states from a preferences dictionary (null reads as empty).
    void setPreferences(const platform::NSMutableDictionary* preferences);
    void advPhotoToggle(platform::id sender);
    void advVideoToggle(platform::id sender);
    void rememberSettingsToggle(platform::id sender);
    // Fades the panel out and tells every process that it was closed.
    void closePreferences(platform::id sender);

    bool advPhotoSwitchState() const { return advPhotoSwitchState_; }
    void setAdvPhotoSwitchState(bool on) { advPhotoSwitchState_ = on; }
    bool advVideoSwitchState() const { return advVideoSwitchState_; }
    void setAdvVideoSwitchState(bool on) { advVideoSwitchState_ = on; }
    bool rememberAllSwitchState() const { return rememberAllSwitchState_; }
    void setRememberAllSwitchState(bool on) { rememberAllSwitchState_ = on; }

    // The controls, for whoever drives the panel as a user would.
    std::shared_ptr<platform::UISwitch> switchWithTag(int tag);
    std::shared_ptr<platform::UIButton> closeButton() const;

private:
    void initWithFrame(platform::CGRect frame);
    // Keeps the position of the switch that sent a toggle.
    static void storePosition(platform::id sender, bool& switchState);

    bool advPhotoSwitchState_ = false;
    bool advVideoSwitchState_ = false;
    bool rememberAllSwitchState_ = false;
};

}  // namespace snapforge
