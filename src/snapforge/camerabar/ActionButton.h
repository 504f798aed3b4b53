#pragma once

#include <memory>

#include "platform/ui/UIButton.h"

namespace snapforge {

// The camera bar's two-state mode button: the "on" background shows while it is selected.
class ActionButton : public platform::UIButton {
public:
    static std::shared_ptr<ActionButton> create(platform::CGRect frame);

    // Lets the button flip itself as soon as the finger lands.
    void setTouchEvents();
    // Flips the sender's selected state inside the "pull up clipsView" animation.
    void toggleBtn(platform::id sender);

protected:
    void initWithFrame(platform::CGRect frame);
};

// A button not yet made counts as not selected.
inline bool isSelected(const std::shared_ptr<ActionButton>& button) {
    return button && button->isSelected();
}

}  // namespace snapforge
