#pragma once

#include <memory>

#include "platform/ui/UIControl.h"

namespace platform {

// An on/off switch. A tap (touch up inside) flips it and sends value-changed; setOn from code
// sends nothing.
class UISwitch : public UIControl {
public:
    explicit UISwitch(CGRect frame = CGRectZero);
    static std::shared_ptr<UISwitch> create(CGRect frame = CGRectZero);

    bool isOn() const { return on_; }
    void setOn(bool on, bool animated = false);

    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;

private:
    bool on_ = false;
};

}  // namespace platform
