#pragma once

#include <memory>
#include <string>

#include "platform/ui/UILabel.h"
#include "platform/ui/UIWindow.h"

namespace snapforge {

// The countdown's large white number in the middle of the screen. It starts hidden.
class TimerLabel : public platform::UIWindow {
public:
    static std::shared_ptr<TimerLabel> create(platform::CGRect frame);

    void setText(std::string text);
    std::string text() const;
    void setTextAlignment(int alignment);
    // Turns the number upright for the orientation: at once while hidden, else animated.
    void rotate(int orientation);

    std::shared_ptr<platform::UILabel> timeLabel() const { return timeLabel_; }

protected:
    void initWithFrame(platform::CGRect frame);

private:
    std::shared_ptr<platform::UILabel> timeLabel_;
};

}  // namespace snapforge
