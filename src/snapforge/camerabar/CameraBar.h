#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/runtime/Runtime.h"
#include "platform/ui/UIScrollView.h"
#include "platform/ui/UIWindow.h"
#include "snapforge/timed/SelectorDial.h"

namespace platform {
class NSMutableDictionary;
class UIGestureRecognizer;
}  // namespace platform

namespace snapforge {

class ActionButton;
class MessageLabel;
class SelectorButton;
class TimerLabel;

// The bar's mode numbers, equal to its buttons' tags. 4, 6 and 8 are selectors: they are tags
// only and never become the bar's mode.
inline constexpr int kNoMode = 0;
inline constexpr int kNormalMode = 1;
inline constexpr int kTimeLapseMode = 2;
inline constexpr int kTimerMode = 3;
inline constexpr int kOverlayTag = 4;
inline constexpr int kAdvancedVideoMode = 5;
inline constexpr int kResolutionTag = 6;
inline constexpr int kFrameRateMode = 7;
inline constexpr int kFrameGuideTag = 8;

// The strip of the library's controls over the host's bottom bar: four controls at a time,
// chosen by the host controller's mode, and the session's working copies of the user's
// choices. The bar owns its controls, its dial and its countdown label.
class CameraBar : public platform::UIWindow, public platform::UIScrollViewDelegate {
public:
    ~CameraBar() override;

    // Where the dial opens: centred across the screen, below the top.
    static platform::CGRect dialFrame();
    // The part of a bar with that frame which its four controls take.
    static platform::CGRect controlsFrame(platform::CGRect barFrame);

    // Lays out the four controls of cameraControllerMode (creating each control once).
    void setupButtons();
    // Turns the button icons and the dial to the orientation.
    void _rotate(int orientation);
    void didRotate(platform::id) {}
    bool isSelDialVisible() const;
    // A new bar replaying the remembered modes before it was ever shown: no message, no hide.
    bool isReplayingOnHiddenBar() const { return skipSelection && isHidden(); }
    // A press on a mode button moves the reticles home unlocked; the replay on a new, hidden bar
    // leaves them and their locks as they are.
    bool resetsReticles() const { return !isReplayingOnHiddenBar(); }

    int cameraMode() const { return cameraMode_; }
    void setCameraMode(int mode) { cameraMode_ = mode; }
    int cameraControllerMode() const { return cameraControllerMode_; }
    void setCameraControllerMode(int mode) { cameraControllerMode_ = mode; }

    // Mode switching.
    virtual void toggleMode(platform::id sender);
    void showCameraMode();
    void showCameraModeEx(platform::id button);
    void fadeinText(const std::string& text);
    void fadeinText(const std::string& text, double duration);
    // Takes down the messages still on screen, so that none outlives the camera.
    void endMessages();
    void restoreCameraModeByMode();
    void restoreCameraModeBySelectedButton();

    // The selection dial.
    void checkSelectionDialSetup(int mode);
    virtual void removeSelDial();
    int getTimerSeconds();
    virtual void setFrameRateBtnPress(platform::id) {}

    // The selectors.
    void scrollViewDidScroll(platform::UIScrollView*) override {}
    void scrollViewDidEndDecelerating(platform::UIScrollView* scrollView) override;
    virtual void overlayTap(platform::id recognizer);
    virtual void resolutionTap(platform::id recognizer);
    virtual void frameGuideTap(platform::id recognizer);
    void handleSelectorLight(SelectorButton* selector);
    void blinkScrollArrows();

    // The controls; each exists from the first layout of its controller mode.
    std::shared_ptr<ActionButton> normalModeBtn;
    std::shared_ptr<ActionButton> burstModeBtn;
    std::shared_ptr<ActionButton> timerModeBtn;
    std::shared_ptr<SelectorButton> overlayBtn;
    std::shared_ptr<ActionButton> exposureFocusBtn;
    std::shared_ptr<SelectorButton> resolutionBtn;
    std::shared_ptr<ActionButton> fpsBtn;
    std::shared_ptr<SelectorButton> frameGuideBtn;
    std::shared_ptr<SelectorDial> selDial;
    std::shared_ptr<TimerLabel> timerLabel;

    int timeType = SelectorDial::kSeconds;
    int selectorType = SelectorDial::kTimerKind;
    int prevCameraControllerMode = -1;
    int prevCameraMode = kNoMode;
    int currentOrientation = 1;
    bool skipSelection = false;
    bool advPhotoSelected = true;
    bool timeLapseSelected = false;
    bool timerSelected = false;
    bool overlaySelected = false;
    bool advVideoSelected = false;
    bool frameRateSelected = false;
    bool resolutionSelected = false;
    bool guideSelected = false;
    int timeLapseTime = 5;
    int timerTime = 5;
    int overlayIndex = 3;
    int frameRateTime = 30;
    int resolutionIndex = 1;
    int guideIndex = 3;

    // How a control is made: its slot, tag and icon or selector type and tap action.
    struct ActionButtonLook {
        int slot;
        int tag;
        const char* icon;
        platform::CGRect iconFrame;
        int iconTag;
    };
    struct SelectorLook {
        int slot;
        int tag;
        int type;
        platform::Selector<void(platform::id)> tapAction;
    };

protected:
    CameraBar() = default;
    // Builds the bar from the dictionary of choices in force; false when the window cannot be
    // made.
    bool initWithFrame(platform::CGRect frame, const platform::NSMutableDictionary& prefs,
                       int cameraControllerMode);

private:
    void readPrefs(const platform::NSMutableDictionary& prefs);
    void setupPhotoButtons();
    void setupVideoButtons();
    void flipUnlessReplaying(const std::shared_ptr<ActionButton>& button);
    void chooseTimedShooting(const std::shared_ptr<ActionButton>& chosen,
                             const std::shared_ptr<ActionButton>& other);
    void keepDialValue();
    // Stores a dial's value into the bar's time for that dial kind.
    void keepTime(int kind, int value);
    void configureDial(int mode);
    void placeActionButton(std::shared_ptr<ActionButton>& button, const ActionButtonLook& look,
                           bool selected);
    void placeSelector(std::shared_ptr<SelectorButton>& selector, const SelectorLook& look,
                       int index, bool lit);
    void toggleSelector(SelectorButton* selector, bool& flag);

    int cameraControllerMode_ = 0;
    int cameraMode_ = kNoMode;
    // Counts the dial's showings, so that a fade-out overtaken by a new showing leaves it be.
    unsigned dialShowings_ = 0;
    // Each message holds itself through its fades; the bar only looks on.
    std::vector<std::weak_ptr<MessageLabel>> messages_;
};

}  // namespace snapforge
