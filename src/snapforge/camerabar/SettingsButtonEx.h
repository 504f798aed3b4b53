#pragma once

#include <memory>

#include "snapforge/camerabar/SettingsButton.h"

namespace snapforge {

// The settings button that opens and closes the camera bar: selected means the bar is shown.
class SettingsButtonEx : public SettingsButton {
public:
    static std::shared_ptr<SettingsButtonEx> create(platform::CGRect frame);

    void toggleBtn(platform::id sender) override;
};

}  // namespace snapforge
