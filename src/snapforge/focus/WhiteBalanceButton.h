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

    // Where the button stands in an orientation: y 260 in landscape; in portrait y 370, or just
    // above the host's bottom bar where that bar would cover it. Other values keep its y.
    platform::CGFloat yFor(int orientation) const;
};

}  // namespace snapforge
