#pragma once

#include <memory>

#include "platform/ui/UIButton.h"

namespace snapforge {

// The small two-state switch in the host's button bar; selected means the camera bar is shown.
class SettingsButton : public platform::UIButton {
public:
    static std::shared_ptr<SettingsButton> create(platform::CGRect frame);

    // The button flips as soon as the finger lands.
    void setTouchEvents();
    virtual void toggleBtn(platform::id sender);

protected:
    void initWithFrame(platform::CGRect frame);
};

}  // namespace snapforge
