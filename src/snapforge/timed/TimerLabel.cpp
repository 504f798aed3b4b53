#include "snapforge/timed/TimerLabel.h"

#include <optional>

#include "snapforge/geometry/Helper.h"
#include "snapforge/geometry/TurnUpright.h"
#include "snapforge/startup/LibraryClass.h"

namespace snapforge {
namespace {

// Where the number sits inside the window in an orientation; nothing for other values.
std::optional<platform::CGPoint> numberOriginFor(int orientation) {
    switch (orientation) {
        case 1:
            return platform::CGPoint{0, 0};
        case 2:
            return platform::CGPoint{-50, 0};
        case 3:
            return platform::CGPoint{-15, 0};
        case 4:
            return platform::CGPoint{-15, -15};
        default:
            return std::nullopt;
    }
}

}  // namespace

std::shared_ptr<TimerLabel> TimerLabel::create(platform::CGRect frame) {
    auto label = std::make_shared<TimerLabel>();
    label->initWithFrame(frame);
    return label;
}

void TimerLabel::initWithFrame(platform::CGRect frame) {
    setObjcClass(libraryClass("TimerLabel", "UIWindow"));
    setFrame(frame);
    setWindowLevel(kLibraryWindowLevel);
    setBackgroundColor(platform::UIColor::clearColor());
    timeLabel_ =
        whiteLabel(platform::CGRectMake(0, 0, frame.size.width, frame.size.height), 140, true);
    addSubview(timeLabel_);
    setHidden(true);
}

void TimerLabel::setText(std::string text) {
    timeLabel_->setText(std::move(text));
}

std::string TimerLabel::text() const {
    return timeLabel_->text();
}

void TimerLabel::setTextAlignment(int alignment) {
    timeLabel_->setTextAlignment(alignment);
}

void TimerLabel::rotate(int orientation) {
    if (const auto origin = numberOriginFor(orientation)) {
        platform::CGRect frame = timeLabel_->frame();
        frame.origin = *origin;
        timeLabel_->setFrame(frame);
    }
    if (isHidden()) {
        timeLabel_->setTransform(Helper::getTransformation(orientation));
    } else {
        turnUpright(*timeLabel_, orientation, 0.5);
    }
}

}  // namespace snapforge
