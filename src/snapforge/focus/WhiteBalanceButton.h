#pragma once

#include <memory>

#include "snapforge/focus/WBlockBtn.h"

namespace snapforge {

// The white-balance lock: locked holds the device's white balance (mode 0) and keeps the host
// from adjusting it; unlocked returns to continuous automatic white balance (mode 2).
class WhiteBalanceButton : public WBlockBtn {
public:
    static std::shared_ptr<WhiteBalanceButton> create(platform::CGRect frame);

    void toggleBtn(platform::id sender) override;
};

}  // namespace snapforge
