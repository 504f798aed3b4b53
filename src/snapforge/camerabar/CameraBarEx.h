#pragma once

#include <memory>

#include "snapforge/camerabar/CameraBar.h"

namespace platform {
class NSTimer;
}

namespace snapforge {

// The camera bar with the library-wide effects of its actions: advanced focus, the saved
// preferences, the framing aids, the frame rate and timed shooting.
class CameraBarEx : public CameraBar {
public:
    static std::shared_ptr<CameraBarEx> create(platform::CGRect frame,
                                               const platform::NSMutableDictionary& prefs,
                                               int cameraControllerMode);
    ~CameraBarEx() override;

    void toggleMode(platform::id sender) override;
    void removeSelDial() override;
    void setFrameRateBtnPress(platform::id sender) override;

    void scrollViewDidScroll(platform::UIScrollView* scrollView) override;
    void overlayTap(platform::id recognizer) override;
    void resolutionTap(platform::id recognizer) override;
    void frameGuideTap(platform::id recognizer) override;

    // The handler of the application's background notification.
    void appDidEnterBackground(platform::id notification);

    // Timed shooting.
    void startTimerMode();
    void createTimer();
    void countTheSeconds(platform::id timer);
    void stopBtnTouch(platform::id sender);
    // The camera is going: a count and the messages on screen end at once, so that nothing of
    // the bar stays over whatever shows next.
    void leaveTheScreen();
    // The host leaves photo mode: timed shooting ends as at the stop button, and the count at
    // once, so that nothing presses the shutter of another mode.
    void endTimedShooting();

private:
    // The end of a count: a self-timer's stop button goes, then the count itself.
    void endCountdown(platform::NSTimer* timer);
    // Invalidates the count's timer and lets go of the countdown label.
    void dropCountdown(platform::NSTimer* timer);
    void flashNumber(int seconds);

    // The running count's timer, which the run loop owns; a new start ends it first.
    std::weak_ptr<platform::NSTimer> countdown_;
};

}  // namespace snapforge
