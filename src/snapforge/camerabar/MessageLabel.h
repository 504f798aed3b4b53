#pragma once

#include <memory>
#include <string>

#include "platform/ui/UILabel.h"
#include "platform/ui/UIWindow.h"

namespace snapforge {

// A one-line white message over the camera screen, placed and turned to read upright in the
// orientation it was made for. It starts hidden with no text.
class MessageLabel : public platform::UIWindow {
public:
    static std::shared_ptr<MessageLabel> create(int orientation);

    void setText(std::string text);
    std::string text() const;
    // The orientation is fixed when the message is made: turning changes nothing.
    void rotate(int orientation);

    std::shared_ptr<platform::UILabel> msgLabel() const { return msgLabel_; }

protected:
    void initWithOrientation(int orientation);

private:
    std::shared_ptr<platform::UILabel> msgLabel_;
};

}  // namespace snapforge
