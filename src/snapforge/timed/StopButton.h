#pragma once

#include <memory>

#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UIWindow.h"

namespace snapforge {

// The button that ends a running self-timer or time lapse: a window of its own above the
// countdown. It starts hidden; whoever shows it adds the stop action to `stopButton`.
class StopButton : public platform::UIWindow {
public:
    static std::shared_ptr<StopButton> create(platform::CGRect frame);

    std::shared_ptr<platform::UIButton> stopButton() const { return stopButton_; }
    void setStopButton(std::shared_ptr<platform::UIButton> button) {
        stopButton_ = std::move(button);
    }
    // The button's own action; the stop itself is the action its owner adds.
    void stopPress(platform::id sender);
    // Turns the whole window upright for the orientation.
    void _rotate(int orientation);

protected:
    void initWithFrame(platform::CGRect frame);

private:
    std::shared_ptr<platform::UIImageView> background_;
    std::shared_ptr<platform::UIButton> stopButton_;
};

}  // namespace snapforge
