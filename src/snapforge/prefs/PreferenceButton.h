#pragma once

#include <memory>

#include "platform/ui/UIWindow.h"

namespace platform {
class UIButton;
}

namespace snapforge {

// The small window shown beside the camera bar; its one button opens the settings panel.
class PreferenceButton : public platform::UIWindow {
public:
    static std::shared_ptr<PreferenceButton> create(platform::CGRect frame);

    // Hides the camera bar, then opens the settings panel unless one is open already.
    void showPreferences(platform::id sender);

    // The button that fills the window.
    std::shared_ptr<platform::UIButton> button() const;

private:
    void initWithFrame(platform::CGRect frame);
};

}  // namespace snapforge
