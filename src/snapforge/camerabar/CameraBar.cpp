#include "snapforge/camerabar/CameraBar.h"

#include "platform/ui/UIImageView.h"
#include "platform/ui/UITapGestureRecognizer.h"
#include "snapforge/camerabar/ActionButton.h"
#include "snapforge/camerabar/CameraBarActions.h"
#include "snapforge/camerabar/SelectorButton.h"
#include "snapforge/geometry/Helper.h"
#include "snapforge/prefs/Tools.h"
#include "snapforge/startup/LibraryClass.h"
#include "snapforge/timed/SelectorDial.h"
#include "snapforge/timed/TimerLabel.h"

namespace snapforge {
namespace {

constexpr float kSlotY = 7;
constexpr float kSlotWidth = 77;
constexpr float kSlotHeight = 60;
constexpr float kSlotX[] = {8, 84, 160, 236};

constexpr int kNormalIconTag = 11;
constexpr int kTimeLapseIconTag = 21;
constexpr int kTimerIconTag = 31;
constexpr int kAdvancedVideoIconTag = 51;
constexpr int kFrameRateIconTag = 71;

// How each control of the bar is made, by slot.
const CameraBar::ActionButtonLook kNormalLook{
    0, kNormalMode, "modeNormal.png", platform::CGRectMake(24.5f, 19, 28, 23), kNormalIconTag};
const CameraBar::ActionButtonLook kTimeLapseLook{1, kTimeLapseMode, "modeShootTimer.png",
                                                 platform::CGRectMake(25.5f, 17, 26, 27),
                                                 kTimeLapseIconTag};
const CameraBar::ActionButtonLook kTimerLook{
    2, kTimerMode, "modeTimer.png", platform::CGRectMake(25.5f, 17, 26, 27), kTimerIconTag};
const CameraBar::ActionButtonLook kAdvancedVideoLook{0, kAdvancedVideoMode, "normalFilmMode.png",
                                                     platform::CGRectMake(22.5f, 11, 32, 32),
                                                     kAdvancedVideoIconTag};
const CameraBar::ActionButtonLook kFrameRateLook{
    1, kFrameRateMode, "fpsBtn.png", platform::CGRectMake(21.5f, 15, 35, 30), kFrameRateIconTag};
const CameraBar::SelectorLook kOverlayLook{3, kOverlayTag, SelectorButton::kOverlaySelector,
                                           overlayTapSelector};
const CameraBar::SelectorLook kResolutionLook{
    2, kResolutionTag, SelectorButton::kResolutionSelector, resolutionTapSelector};
const CameraBar::SelectorLook kFrameGuideLook{
    3, kFrameGuideTag, SelectorButton::kFrameGuideSelector, frameGuideTapSelector};

platform::CGRect slotFrame(int slot) {
    return platform::CGRectMake(kSlotX[slot], kSlotY, kSlotWidth, kSlotHeight);
}

template <class Control>
void removeFromBar(const std::shared_ptr<Control>& control) {
    if (control) {
        control->removeFromSuperview();
    }
}

void turnIcon(const std::shared_ptr<ActionButton>& button, int iconTag,
              const platform::CGAffineTransform& transform) {
    if (!button) {
        return;
    }
    if (auto icon = button->viewWithTag(iconTag)) {
        icon->setTransform(transform);
    }
}

}  // namespace

platform::Class* cameraBarClass() {
    return libraryClass("CameraBar", "UIWindow", [](platform::Class* cls) {
        platform::class_addMemberMethod<&CameraBar::toggleMode>(cls, toggleModeSelector);
        platform::class_addMemberMethod<&CameraBar::overlayTap>(cls, overlayTapSelector);
        platform::class_addMemberMethod<&CameraBar::resolutionTap>(cls, resolutionTapSelector);
        platform::class_addMemberMethod<&CameraBar::frameGuideTap>(cls, frameGuideTapSelector);
        platform::class_addMemberMethod<&CameraBar::setFrameRateBtnPress>(
            cls, setFrameRateBtnPressSelector);
    });
}

CameraBar::~CameraBar() {
    CameraBar::removeSelDial();
    endMessages();
}

platform::CGRect CameraBar::controlsFrame(platform::CGRect barFrame) {
    const float right = kSlotX[std::size(kSlotX) - 1] + kSlotWidth;
    return platform::CGRectMake(barFrame.origin.x + kSlotX[0], barFrame.origin.y + kSlotY,
                                right - kSlotX[0], kSlotHeight);
}

bool CameraBar::initWithFrame(platform::CGRect frame, const platform::NSMutableDictionary& prefs,
                              int controllerMode) {
    setFrame(frame);
    prevCameraControllerMode = -1;
    setWindowLevel(1999);
    setBackgroundColor(platform::UIColor::clearColor());
    platform::UIView::setAnimationsEnabled(true);
    currentOrientation = 1;

    auto background = platform::UIImageView::create(
        platform::CGRectMake(0, 0, frame.size.width, frame.size.height));
    background->setImage(imageNamed("bar.png"));
    addSubview(background);

    cameraControllerMode_ = controllerMode;
    readPrefs(prefs);
    if (cameraControllerMode_ != 0) {
        if (advVideoSelected) {
            cameraMode_ = kAdvancedVideoMode;
        }
    } else if (advPhotoSelected) {
        cameraMode_ = kNormalMode;
    }
    setupButtons();
    return true;
}

void CameraBar::readPrefs(const platform::NSMutableDictionary& prefs) {
    advPhotoSelected = Tools::boolForKey("advPhotoSelected", true, &prefs);
    advVideoSelected = Tools::boolForKey("advVideoSelected", false, &prefs);
    overlayIndex = Tools::intForKey("overlayIndex", 3, &prefs);
    guideIndex = Tools::intForKey("guideIndex", 3, &prefs);
    resolutionIndex = Tools::intForKey("resolutionIndex", 1, &prefs);
    timerTime = Tools::intForKey("timerTime", 5, &prefs);
    timeLapseTime = Tools::intForKey("timeLapseTime", 5, &prefs);
    frameRateTime = Tools::intForKey("frameRateTime", 30, &prefs);
    timeType = Tools::intForKey("timeType", SelectorDial::kSeconds, &prefs);
    overlaySelected = Tools::boolForKey("overlaySelected", false, &prefs);
    resolutionSelected = Tools::boolForKey("resolutionSelected", false, &prefs);
    guideSelected = Tools::boolForKey("guideSelected", false, &prefs);
    // Timed shooting and the custom frame rate start off on every bar.
    timeLapseSelected = false;
    timerSelected = false;
    frameRateSelected = false;
}

void CameraBar::setupButtons() {
    if (cameraControllerMode_ == 1) {
        removeFromBar(normalModeBtn);
        removeFromBar(burstModeBtn);
        removeFromBar(timerModeBtn);
        removeFromBar(overlayBtn);
        setupVideoButtons();
    } else if (cameraControllerMode_ == 0) {
        removeFromBar(exposureFocusBtn);
        removeFromBar(resolutionBtn);
        removeFromBar(fpsBtn);
        removeFromBar(frameGuideBtn);
        setupPhotoButtons();
    }
    prevCameraControllerMode = cameraControllerMode_;
}

void CameraBar::setupPhotoButtons() {
    placeActionButton(normalModeBtn, kNormalLook, advPhotoSelected);
    // The bar's time-lapse flag is never set, so a shown bar keeps the button's own choice:
    // a time lapse whose bar is reopened goes on instead of stopping after its next photo.
    placeActionButton(burstModeBtn, kTimeLapseLook, timeLapseSelected || isSelected(burstModeBtn));
    placeActionButton(timerModeBtn, kTimerLook, timerSelected);
    placeSelector(overlayBtn, kOverlayLook, overlayIndex, overlaySelected);
}

void CameraBar::setupVideoButtons() {
    placeActionButton(exposureFocusBtn, kAdvancedVideoLook, advVideoSelected);
    // Nor is the bar's frame-rate flag: a shown bar keeps the button lit while its rate holds.
    placeActionButton(fpsBtn, kFrameRateLook, frameRateSelected || isSelected(fpsBtn));
    placeSelector(resolutionBtn, kResolutionLook, resolutionIndex, resolutionSelected);
    placeSelector(frameGuideBtn, kFrameGuideLook, guideIndex, guideSelected);
}

void CameraBar::placeActionButton(std::shared_ptr<ActionButton>& button,
                                  const ActionButtonLook& look, bool selected) {
    if (!button) {
        button = ActionButton::create(slotFrame(look.slot));
        button->setTag(look.tag);
        auto icon = platform::UIImageView::create(look.iconFrame);
        icon->setImage(imageNamed(look.icon));
        icon->setTag(look.iconTag);
        button->addSubview(icon);
        button->addTarget(this, toggleModeSelector.sel, platform::UIControlEventTouchUpInside);
    }
    button->setSelected(selected);
    addSubview(button);
}

void CameraBar::placeSelector(std::shared_ptr<SelectorButton>& selector, const SelectorLook& look,
                              int index, bool lit) {
    if (!selector) {
        selector = SelectorButton::create(slotFrame(look.slot));
        selector->setTag(look.tag);
        selector->setSelectorType(look.type, index);
        selector->setScrollViewDelegate(
            std::dynamic_pointer_cast<platform::UIScrollViewDelegate>(shared_from_this()));
        selector->addGestureRecognizer(
            platform::UITapGestureRecognizer::create(this, look.tapAction.sel));
    }
    selector->setIsSelected(lit);
    addSubview(selector);
}

void CameraBar::_rotate(int orientation) {
    currentOrientation = orientation;
    if (selDial) {
        selDial->_rotate(orientation);
    }
    const auto transform = Helper::getTransformation(orientation);
    platform::UIView::beginAnimations("w");
    platform::UIView::setAnimationDuration(0.4);
    turnIcon(normalModeBtn, kNormalIconTag, transform);
    turnIcon(burstModeBtn, kTimeLapseIconTag, transform);
    turnIcon(timerModeBtn, kTimerIconTag, transform);
    turnIcon(exposureFocusBtn, kAdvancedVideoIconTag, transform);
    turnIcon(fpsBtn, kFrameRateIconTag, transform);
    platform::UIView::commitAnimations();
}

bool CameraBar::isSelDialVisible() const {
    return selDial && !selDial->isHidden();
}

}  // namespace snapforge
