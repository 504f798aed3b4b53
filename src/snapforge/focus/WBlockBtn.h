#pragma once

#include <memory>

#include "platform/ui/UIButton.h"

namespace snapforge {

// A two-state lock button: selected is locked, showing the closed padlock (tag 2) instead of the
// open one (tag 1).
class WBlockBtn : public platform::UIButton {
public:
    static std::shared_ptr<WBlockBtn> create(platform::CGRect frame);

    // The button toggles itself as soon as the finger lands.
    void setTouchEvents();
    virtual void toggleBtn(platform::id sender);

protected:
    void initWithFrame(platform::CGRect frame);
};

}  // namespace snapforge
