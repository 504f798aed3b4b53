#pragma once

#include <memory>

#include "platform/foundation/RunLoop.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIWindow.h"

namespace snapforge {

// The dial in which the user sets a number: the self-timer delay, the time-lapse interval or the
// custom frame rate. A tap on the plus or minus area steps the number once; holding an area
// steps it five times a second.
class SelectorDial : public platform::UIWindow {
public:
    // What the dial sets.
    static constexpr int kTimerKind = 0;
    static constexpr int kTimeLapseKind = 1;
    static constexpr int kFrameRateKind = 2;

    // The unit of a timer or time-lapse value.
    static constexpr int kSeconds = 0;
    static constexpr int kMinutes = 1;

    // Subviews found by tag.
    static constexpr int kTitleTag = 1;
    static constexpr int kPlusTag = 2;
    static constexpr int kUnitTag = 3;
    static constexpr int kMinusTag = -2;

    // The range that stepping keeps to.
    static constexpr int kLowestStep = 1;
    static constexpr int kHighestStep = 60;

    static std::shared_ptr<SelectorDial> create(platform::CGRect frame);
    ~SelectorDial() override;

    // Shows the number as it is: no bounds apply.
    void setTime(int time);
    int time() const { return time_; }
    // The unit label reads "min" for minutes and "sec" for anything else.
    void setTimeType(int timeType);
    int timeType() const { return timeType_; }
    // The unit switch's action: seconds become minutes and back.
    void changeTimeType(platform::id sender);
    // Sets the kind, its title and its unit; TIME LAPSE keeps the unit it has.
    void setSelectorType(int selectorType);
    int selectorType() const { return selectorType_; }

    // One step up (to 60 at most) or down (to 1 at least; two at a time above 6 in a time lapse).
    void plusTime();
    void minusTime();

    // Press and hold of the plus and minus areas: a press starts the repeating steps (and ends
    // any hold still running); a release ends them, making one step when none was made; a
    // cancelled touch just ends them.
    void sourceTouchDown(platform::id sender);
    void sourceTouchUp(platform::id sender);
    void sourceTouchCancel(platform::id sender);

    // Turns the whole dial upright for the orientation.
    void _rotate(int orientation);

    std::shared_ptr<platform::UIButton> changeTimeBtn() const { return changeTimeBtn_; }
    void setChangeTimeBtn(std::shared_ptr<platform::UIButton> button) {
        changeTimeBtn_ = std::move(button);
    }
    std::shared_ptr<platform::UIButton> okBtn() const { return okBtn_; }
    void setOkBtn(std::shared_ptr<platform::UIButton> button) { okBtn_ = std::move(button); }

    std::shared_ptr<platform::UIButton> plusBtn() const { return plusBtn_; }
    std::shared_ptr<platform::UIButton> minusBtn() const { return minusBtn_; }
    std::shared_ptr<platform::UILabel> timeLB() const { return timeLB_; }
    // The title and unit labels, found by tag; empty when missing.
    std::shared_ptr<platform::UILabel> titleLabel();
    std::shared_ptr<platform::UILabel> unitLabel();

    // Whether a press of an area is making repeated steps now.
    bool isHolding() const { return holdTimer_ != nullptr; }

protected:
    void initWithFrame(platform::CGRect frame);

private:
    void layOut(platform::CGRect frame);
    std::shared_ptr<platform::UIButton> addStepArea(platform::CGRect frame, int tag);
    void showTime();
    void stepFor(int areaTag);
    void stopHolding();

    int time_ = 5;
    int timeType_ = kSeconds;
    int selectorType_ = kTimerKind;
    std::shared_ptr<platform::UIImageView> background_;
    std::shared_ptr<platform::UILabel> timeLB_;
    std::shared_ptr<platform::UIButton> plusBtn_;
    std::shared_ptr<platform::UIButton> minusBtn_;
    std::shared_ptr<platform::UIButton> changeTimeBtn_;
    std::shared_ptr<platform::UIButton> okBtn_;

    // The repeating steps of the area being held, and whether a step was made since its press.
    std::shared_ptr<platform::NSTimer> holdTimer_;
    int holdTag_ = 0;
    bool changedNumber_ = false;
};

}  // namespace snapforge
