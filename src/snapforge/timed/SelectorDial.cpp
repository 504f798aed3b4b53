#include "snapforge/timed/SelectorDial.h"

#include <string>

#include "snapforge/geometry/TurnUpright.h"
#include "snapforge/startup/LibraryClass.h"

namespace snapforge {
namespace {

const platform::Selector<void(platform::id)> changeTimeTypeSelector{"changeTimeType:"};
const platform::Selector<void(platform::id)> sourceTouchDownSelector{"sourceTouchDown:"};
const platform::Selector<void(platform::id)> sourceTouchUpSelector{"sourceTouchUp:"};
const platform::Selector<void(platform::id)> sourceTouchCancelSelector{"sourceTouchCancel:"};

// A held area steps five times a second.
constexpr platform::NSTimeInterval kHoldStepInterval = 0.2;
// Above this a time-lapse minus step takes off two.
constexpr int kTimeLapseDoubleStepAbove = 6;

int tagOf(platform::id sender) {
    auto* view = dynamic_cast<platform::UIView*>(sender);
    return view != nullptr ? view->tag() : 0;
}

void setButtonHidden(const std::shared_ptr<platform::UIButton>& button, bool hidden) {
    if (button) {
        button->setHidden(hidden);
    }
}

void setLabelText(const std::shared_ptr<platform::UILabel>& label, std::string text) {
    if (label) {
        label->setText(std::move(text));
    }
}

std::shared_ptr<platform::UIButton> hiddenButton(platform::CGRect frame) {
    auto button = platform::UIButton::create(frame);
    button->setBackgroundImage(imageNamed("btnBG2.png"), platform::UIControlStateNormal);
    button->setHidden(true);
    return button;
}

}  // namespace

std::shared_ptr<SelectorDial> SelectorDial::create(platform::CGRect frame) {
    auto dial = std::make_shared<SelectorDial>();
    dial->initWithFrame(frame);
    return dial;
}

SelectorDial::~SelectorDial() {
    stopHolding();
}

void SelectorDial::initWithFrame(platform::CGRect frame) {
    setObjcClass(libraryClass("SelectorDial", "UIWindow", [](platform::Class* cls) {
        platform::class_addMemberMethod<&SelectorDial::changeTimeType>(cls, changeTimeTypeSelector);
        platform::class_addMemberMethod<&SelectorDial::sourceTouchDown>(cls,
                                                                        sourceTouchDownSelector);
        platform::class_addMemberMethod<&SelectorDial::sourceTouchUp>(cls, sourceTouchUpSelector);
        platform::class_addMemberMethod<&SelectorDial::sourceTouchCancel>(
            cls, sourceTouchCancelSelector);
    }));
    setFrame(frame);
    setWindowLevel(kLibraryWindowLevel);
    layOut(frame);
    setHidden(true);
}

void SelectorDial::layOut(platform::CGRect frame) {
    const platform::CGFloat w = frame.size.width;
    const platform::CGFloat h = frame.size.height;

    background_ = platform::UIImageView::create(platform::CGRectMake(0, 0, w, h));
    background_->setImage(imageNamed("SelectorDial2.png"));
    addSubview(background_);

    auto title = whiteLabel(platform::CGRectMake(w / 2 - 50, 18, 95, 20), 16, true);
    title->setTag(kTitleTag);
    title->setText("TIMER");
    addSubview(title);

    auto unit = whiteLabel(platform::CGRectMake(w / 2 - 20, h - 56, 40, 20), 16, false);
    unit->setTag(kUnitTag);
    unit->setText("sec");
    addSubview(unit);

    timeLB_ = whiteLabel(platform::CGRectMake(w / 2 - 40, h / 2 - 43, 80, 75), 70, false);
    addSubview(timeLB_);
    showTime();

    plusBtn_ = addStepArea(platform::CGRectMake(w - 47, h / 2 - 25, 50, 50), kPlusTag);
    minusBtn_ = addStepArea(platform::CGRectMake(5, h / 2 - 25, 50, 50), kMinusTag);

    changeTimeBtn_ = hiddenButton(platform::CGRectMake(w / 2 - 12, h - 32, 25, 22));
    changeTimeBtn_->setImage(imageNamed("changeTimeType.png"), platform::UIControlStateNormal);
    changeTimeBtn_->addTarget(this, changeTimeTypeSelector.sel,
                              platform::UIControlEventTouchUpInside);
    addSubview(changeTimeBtn_);

    okBtn_ = hiddenButton(platform::CGRectMake(w / 2 - 25, h - 30, 50, 25));
    okBtn_->setTitle("SET", platform::UIControlStateNormal);
    addSubview(okBtn_);
}

std::shared_ptr<platform::UIButton> SelectorDial::addStepArea(platform::CGRect frame, int tag) {
    auto area = platform::UIButton::create(frame);
    area->setTag(tag);
    area->addTarget(this, sourceTouchUpSelector.sel,
                    platform::UIControlEventTouchUpInside | platform::UIControlEventTouchUpOutside);
    area->addTarget(this, sourceTouchDownSelector.sel, platform::UIControlEventTouchDown);
    area->addTarget(this, sourceTouchCancelSelector.sel, platform::UIControlEventTouchCancel);
    addSubview(area);
    return area;
}

std::shared_ptr<platform::UILabel> SelectorDial::titleLabel() {
    return std::dynamic_pointer_cast<platform::UILabel>(viewWithTag(kTitleTag));
}

std::shared_ptr<platform::UILabel> SelectorDial::unitLabel() {
    return std::dynamic_pointer_cast<platform::UILabel>(viewWithTag(kUnitTag));
}

void SelectorDial::setTime(int time) {
    time_ = time;
    showTime();
}

void SelectorDial::showTime() {
    setLabelText(timeLB_, std::to_string(time_));
}

void SelectorDial::setTimeType(int timeType) {
    timeType_ = timeType;
    setLabelText(unitLabel(), timeType == kMinutes ? "min" : "sec");
}

void SelectorDial::changeTimeType(platform::id /*sender*/) {
    setTimeType(timeType_ == kSeconds ? kMinutes : kSeconds);
}

void SelectorDial::setSelectorType(int selectorType) {
    selectorType_ = selectorType;
    auto title = titleLabel();
    if (!title) {
        return;
    }
    switch (selectorType) {
        case kTimerKind:
            setButtonHidden(okBtn_, true);
            title->setText("TIMER");
            if (unitLabel()) {
                setTimeType(kSeconds);
            }
            break;
        case kTimeLapseKind:
            setButtonHidden(okBtn_, true);
            title->setText("TIME LAPSE");
            break;
        case kFrameRateKind:
            timeType_ = kSeconds;
            title->setText("FRAME RATE");
            setLabelText(unitLabel(), "fps");
            setButtonHidden(okBtn_, false);
            break;
        default:
            break;
    }
}

// Two-digit numbers sit left, single digits centred, judged by the value before the step.
void SelectorDial::plusTime() {
    if (time_ >= kHighestStep) {
        return;
    }
    timeLB_->setTextAlignment(time_ < 9 ? platform::NSTextAlignmentCenter
                                        : platform::NSTextAlignmentLeft);
    ++time_;
    changedNumber_ = true;
    showTime();
}

void SelectorDial::minusTime() {
    if (time_ <= kLowestStep) {
        return;
    }
    timeLB_->setTextAlignment(time_ > 10 ? platform::NSTextAlignmentLeft
                                         : platform::NSTextAlignmentCenter);
    const bool doubleStep = selectorType_ == kTimeLapseKind && time_ > kTimeLapseDoubleStepAbove;
    time_ -= doubleStep ? 2 : 1;
    changedNumber_ = true;
    showTime();
}

void SelectorDial::stepFor(int areaTag) {
    if (areaTag == kPlusTag) {
        plusTime();
    } else {
        minusTime();
    }
}

void SelectorDial::sourceTouchDown(platform::id sender) {
    stopHolding();
    changedNumber_ = false;
    holdTag_ = tagOf(sender);
    std::weak_ptr<SelectorDial> dial = platform::weakRef<SelectorDial>(this);
    holdTimer_ = platform::NSTimer::scheduledTimer(kHoldStepInterval, true,
                                                   [dial, tag = holdTag_](platform::NSTimer&) {
                                                       if (auto self = dial.lock()) {
                                                           self->stepFor(tag);
                                                       }
                                                   });
}

void SelectorDial::sourceTouchUp(platform::id sender) {
    const int tag = tagOf(sender);
    // A later press of the other area has already ended this touch's steps.
    if (holdTimer_ && holdTag_ != tag) {
        return;
    }
    stopHolding();
    if (!changedNumber_) {
        stepFor(tag);
    }
    changedNumber_ = false;
}

void SelectorDial::sourceTouchCancel(platform::id sender) {
    if (holdTimer_ && holdTag_ != tagOf(sender)) {
        return;
    }
    stopHolding();
    changedNumber_ = false;
}

void SelectorDial::stopHolding() {
    if (holdTimer_) {
        holdTimer_->invalidate();
        holdTimer_.reset();
    }
}

void SelectorDial::_rotate(int orientation) {
    turnUpright(*this, orientation, 0.4);
}

}  // namespace snapforge
